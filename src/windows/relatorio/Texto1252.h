#pragma once

#include <string>

#include <QString>

// The one crossing between the engine's Windows-1252 bytes and Qt's Unicode text.
// Qt 6 ships no Windows-1252 codec, so the conversion is ours.
QString ParaQString(const std::string& cp1252);
// Characters that Windows-1252 cannot hold become '?', one per character.
std::string DeQString(const QString& texto);
