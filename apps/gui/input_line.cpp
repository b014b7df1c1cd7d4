#include "input_line.h"

#include "program_text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelvora::gui {

tInputLine::tInputLine(QWidget* parent)
    : QWidget(parent)
    , m_editor(new QLineEdit(this))
    , m_message(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(m_editor);
    layout->addWidget(m_message);
    m_editor->setPlaceholderText(
        ToQString("Anweisung eingeben und mit Enter ausf\xFChren (z. B. A = {{1,2},{3,4}})"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->hide();
    m_editor->installEventFilter(this);

    connect(m_editor, &QLineEdit::returnPressed, this, [this] {
        const QString text = m_editor->text();
        if (text.trimmed().isEmpty())
            return;
        if (m_history.isEmpty() || m_history.back() != text)
            m_history.push_back(text);
        m_historyPosition = static_cast<int>(m_history.size());
        emit StatementsEntered(text);
    });
}

QString tInputLine::MessageText() const
{
    return m_message->isVisible() ? m_message->text() : QString();
}

void tInputLine::ShowMessage(std::string_view text)
{
    ShowNote(ToQString(text), QStringLiteral("#b00000"));
}

void tInputLine::HideMessage()
{
    m_message->clear();
    m_message->hide();
}

void tInputLine::ShowWarning(std::string_view text)
{
    ShowNote(ToQString(text), QStringLiteral("#8a5a00"));
}

void tInputLine::FocusEditor()
{
    m_editor->setFocus();
}

void tInputLine::ShowNote(const QString& text, const QString& colour)
{
    m_message->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    m_message->setText(text);
    m_message->show();
}

bool tInputLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Recall(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Up and Down walk through the lines run before; past the newest the line is empty.
void tInputLine::Recall(int step)
{
    const int size = static_cast<int>(m_history.size());
    m_historyPosition = std::clamp(m_historyPosition + step, 0, size);
    m_editor->setText(m_historyPosition < size ? m_history[m_historyPosition] : QString());
}

} // namespace zelvora::gui
