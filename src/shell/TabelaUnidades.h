#pragma once

#include <cstddef>

#include "windows/ModulosPrograma.h"

// The executable's own source units, written by the build (UnidadesGedraMURT8.cpp),
// the main unit flagged.
extern const UnidadeTabela GEDRA_UNIDADES[];
extern const std::size_t GEDRA_QUANTIDADE_UNIDADES;
