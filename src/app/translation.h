#pragma once

class QCoreApplication;

namespace tavorin {

// Installs Qt's own German translation, so that standard buttons and the file and colour dialogs speak
// German like the rest of the program. Without the translation file nothing changes; returns whether
// it was loaded.
bool installGermanTranslation(QCoreApplication& app);

} // namespace tavorin
