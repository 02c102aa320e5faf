// A text box that lets through only the keystrokes its rule accepts: letters
// (names and places) or digits (coordinates). A refused key, a refused paste
// from the context menu or by the middle button (the X selection), a refused
// drop and refused text from an input method all raise the same signal, so
// the form shows one message whichever way the text came. Undo and redo only
// ever bring back text that was let in.
#pragma once

#include <QLineEdit>

namespace entry {

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Rule { Letters, Digits };
    FilteredLineEdit(Rule rule, QWidget* parent = nullptr);

    Rule rule() const { return rule_; }

    // Whether the rule lets every character of a typed or pasted text through.
    bool accepts(const QString& text) const;

    // Whether the text, put in place of the selection, stays within the box's
    // length (a letters box holds at most app::MaxTextLength characters).
    bool fits(const QString& insertion) const;

signals:
    // A key, paste or drop was refused; the text is unchanged.
    void refused();
    // A key, paste or drop would make a letters box longer than it may be.
    void tooLong();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void pasteIfAccepted();
    // Emits the signal for a text that may not go in; true when it may.
    bool admit(const QString& insertion);
    Rule rule_;
};

}  // namespace entry
