#pragma once

class TfrmPrincipalGedra;

// The start-up after the main window exists, in its order: the data module (which
// opens the connection), the hidden package information window, shown modally first
// when argument 2 is exactly "design", then the main window, maximised. False when
// the program must end (the database could not be opened; the operator was told).
bool IniciarGedra(TfrmPrincipalGedra& janela);
