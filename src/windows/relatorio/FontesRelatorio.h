#pragma once

#include <QFont>

// The report's fonts. "Draft 10cpi" and "Roman 20cpi" are printer fonts; where the
// printer or the machine lacks them, the style hint picks the nearest typewriter or
// serif face. The detail must stay monospaced so the log keeps its columns.
QFont FonteDraft(double pontos);      // lblNome 12 pt and the title 10 pt, bold
QFont FonteRoman();                   // lblEndereco, lblCGC, lblExercicio, page number
QFont FonteDetalhe();                 // the log: Courier New 10 pt
