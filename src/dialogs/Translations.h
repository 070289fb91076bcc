#pragma once
// Qt's own texts (file dialogs, standard buttons, context menus) in Japanese, as everything
// else the user reads.

namespace zepo {

// Loads Qt's Japanese translations into the running application and makes Japanese the
// default locale (dates and sizes in the file dialog). False when the translation files are
// not installed; the editor then still works, with Qt's English defaults.
bool InstallJapaneseTranslations();

}  // namespace zepo
