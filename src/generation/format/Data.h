#pragma once

#include <string>

// A calendar date without time of day, as the journal and the work table hold it.
struct Data {
    int ano = 0;
    int mes = 0;
    int dia = 0;

    auto operator<=>(const Data&) const = default;
    bool valida() const;
    // Days since 1 January 1970 and back; used to order and to step dates.
    long diasDesdeEpoca() const;
    static Data deDiasDesdeEpoca(long dias);
    // «dd/mm/yyyy», the short date format that the program sets at start-up.
    std::string textoCurto() const;
    // Reads «dd/mm/yyyy» (the regional separator is "/"); throws std::invalid_argument
    // with the message "'texto' is not a valid date" when it does not convert.
    static Data deTextoCurto(const std::string& texto);
};
