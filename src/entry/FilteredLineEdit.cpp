#include "entry/FilteredLineEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <string>

#include "app/BirthForm.h"

namespace entry {

FilteredLineEdit::FilteredLineEdit(Rule rule, QWidget* parent) : QLineEdit(parent), rule_(rule) {
    if (rule_ == Rule::Letters) setMaxLength(static_cast<int>(app::MaxTextLength));
}

bool FilteredLineEdit::fits(const QString& insertion) const {
    if (rule_ != Rule::Letters) return true;  // a coordinate box simply stops at three digits
    return text().size() - selectedText().size() + insertion.size() <= maxLength();
}

bool FilteredLineEdit::admit(const QString& insertion) {
    if (!accepts(insertion)) {
        emit refused();
        return false;
    }
    if (!fits(insertion)) {
        emit tooLong();
        return false;
    }
    return true;
}

bool FilteredLineEdit::accepts(const QString& text) const {
    for (const char32_t code : text.toUcs4()) {
        // Backspace and 127 pass as keystrokes but are not text to insert.
        if (code == 8 || code == 127) return false;
        if (rule_ == Rule::Letters ? !app::LettersBoxAccepts(code) : !app::DigitsBoxAccepts(code)) return false;
    }
    return true;
}

namespace {

// The character codes a key press produces. Control with a letter gives the
// control character (Ctrl+V is 22), whatever text the keyboard layer reports.
std::u32string characterCodes(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const int key = event.key();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return std::u32string(1, static_cast<char32_t>(key - Qt::Key_A + 1));
    }
    const QList<uint> codes = event.text().toUcs4();
    return std::u32string(codes.begin(), codes.end());
}

}  // namespace

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    // Keys that produce no character (arrows, Home, Delete, function keys)
    // never reach the rule; every character does, control characters included.
    const std::u32string codes = characterCodes(*event);
    if (codes.empty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (codes == U"\b" && event->key() != Qt::Key_Backspace) {
        backspace();  // Ctrl+H is a backspace too
        return;
    }
    for (const char32_t code : codes) {
        const bool allowed = rule_ == Rule::Letters ? app::LettersBoxAccepts(code) : app::DigitsBoxAccepts(code);
        if (!allowed) {
            event->accept();
            emit refused();
            return;
        }
    }
    if (codes != U"\b" && codes != U"\x7f" && !fits(event->text())) {
        event->accept();
        emit tooLong();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::pasteIfAccepted() {
    if (admit(QGuiApplication::clipboard()->text())) paste();
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The standard menu's Paste is "&Paste" followed by its shortcut.
    const QString pasteCaption = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        // The shortcuts the menu names (Ctrl+V, Ctrl+Z, Ctrl+A) are control
        // keys the box refuses when typed: the menu offers the action alone.
        const qsizetype tab = action->text().indexOf(QLatin1Char('\t'));
        const bool isPaste = action->text() == pasteCaption || action->text().startsWith(pasteCaption + QLatin1Char('\t'));
        if (tab >= 0) action->setText(action->text().left(tab));
        if (isPaste) {
            action->setObjectName(QStringLiteral("edit-paste"));
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &FilteredLineEdit::pasteIfAccepted);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X selection where the system has one.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !admit(QGuiApplication::clipboard()->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    // What an input method commits goes in as typed text would; what it is
    // still composing is shown as it is and decided on when committed.
    if (!event->commitString().isEmpty() && !admit(event->commitString())) {
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&withoutCommit);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void FilteredLineEdit::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasText() && !admit(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

}  // namespace entry
