#pragma once
// Qt's own dialogs in the wizard's language: the file dialogs, the colour
// dialog, the date drop-down and the standard texts of Qt's widgets speak
// Japanese whatever the user's locale is, as every caption of the wizard does.

class QCoreApplication;

namespace orvexp {

// Loads Qt's Japanese translations (Debian qt6-translations-l10n) into
// `application` and makes the Japanese locale the default, so month and
// weekday names of the date drop-down are Japanese too. False when the
// translations are not installed: Qt's dialogs then stay in English.
bool UseJapaneseForQt(QCoreApplication& application);

} // namespace orvexp
