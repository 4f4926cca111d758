#pragma once

// The text of tools/schema.sql, built into the executable so that the generator runs
// from anywhere.
extern const char* const ESQUEMA_BANCO;
