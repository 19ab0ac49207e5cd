#pragma once

#include "core/font.h"
#include "core/textfile.h"

#include <QString>

class QWidget;
class QPlainTextEdit;

// Switches the input method on for a text field or a view's label editor when
// IMEAutoOn is set. Qt offers no way to force hiragana mode; enabling input
// method events and focusing is what the platform allows.
void SetImeOn(QWidget *control);

// True while the editor holds an unfinished composition (a preedit string the
// input method has not committed). Writers skip saving such an editor.
bool HasImeComposition(const QWidget *editor);

// Tracks preedit text and paints the clause being converted in the
// IMEHenkanForegroundColor / IMEHenkanBackgroundColor of the settings.
void ApplyImeColors(QPlainTextEdit *editor);

// Japanese text breaks at any character, so wrapping is by character.
void SetRichEditWordWrap(QPlainTextEdit *editor, bool on);

// A view's background colour, as the colour settings give it.
void SetBackgroundColor(QWidget *view, TColor color);

// Loads a CP932 text file into the editor (cleared when the file is missing),
// under the busy cursor when the file is over 51200 bytes. Returns the load
// result so the caller can report a failure.
TTextLoad LoadTextIntoRichEdit(const QString &path, QPlainTextEdit *editor);
