#pragma once

#include <optional>
#include <string>
#include <vector>

// One account of the demo chart, texts already in Windows-1252.
struct ContaDemo {
    std::string balco;                   // six digits
    std::optional<std::string> titulo;   // no value: a null title, kept as a realistic flaw
    std::string natureza;                // "D", "C" or empty

    bool sintetica() const { return balco.ends_with("00"); }
};

// The chart of a municipality under the public accounting of the time: assets (1),
// liabilities (2), expenditure (3), revenue (4), and the diminishing (5) and increasing
// (6) results of the year. Every synthetic level of every analytic account is present.
const std::vector<ContaDemo>& PlanoDeContasDemo();

// The analytic accounts whose code starts with one of the prefixes (in chart order).
std::vector<std::string> ContasAnaliticas(const std::vector<std::string>& prefixos);
