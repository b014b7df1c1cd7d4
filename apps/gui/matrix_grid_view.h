// The grid of a matrix window: a table with a numbered header row and column, "rows x cols" in
// the corner, fixed row heights and the window font; Ctrl+C asks for the window's picture.
#pragma once

#include <QTableView>
#include <functional>

namespace zelvora::gui {

class tMatrixGridView : public QTableView {
    Q_OBJECT

public:
    explicit tMatrixGridView(QWidget* parent = nullptr);

    // The corner's text (the grid's size) for a grid of rows data rows; column 0 widens so that
    // the text and every row number fit.
    void SetCornerText(const QString& text, int rows);
    int HeaderColumnWidth() const;
    const QString& CornerText() const { return m_cornerText; }
    // Called for Ctrl+C instead of copying the current cell's text.
    void SetCopyPictureAction(std::function<void()> action) { m_copyPicture = std::move(action); }
    // The visible data area (without the header row and column) as the window's picture takes it:
    // up to the right edge of the last visible column and the lower edge of the last visible row.
    QRect VisibleDataArea() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_corner = nullptr;
    QString m_cornerText;
    std::function<void()> m_copyPicture;
};

// The font of matrix and scalar windows: "Letter Gothic" 8 points, or a fixed-width font like it.
QFont GridFont();

} // namespace zelvora::gui
