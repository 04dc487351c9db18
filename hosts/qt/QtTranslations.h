#pragma once

class QTranslator;

namespace quibo {

// Qt's own texts (file prompts, the buttons of a box, a field's menu) in the
// user's language, from the system's Qt translations; the program's own
// texts never pass through them. False where there is none for the language.
bool InstallQtTranslations(QTranslator& translator);

}  // namespace quibo
