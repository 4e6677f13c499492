#pragma once
// The framework's colour dialog, "Colors": a Standard page of ready colours and a
// Custom page for any colour, with the chosen and the current colour side by side.

#include <QColor>
#include <QDialog>
#include <vector>

class QColorDialog;
class QLabel;
class QTabWidget;

namespace lw {

class CMFCColorDialog : public QDialog {
public:
    explicit CMFCColorDialog(const QColor& initial = Qt::white, QWidget* parent = nullptr);

    QColor GetColor() const { return m_color; }
    void SetCurrentColor(const QColor& color);
    QTabWidget* GetPages() const { return m_pages; }

    // The colours of the Standard page and of the drop-down palettes.
    static const std::vector<QColor>& StandardColors();

private:
    void choose(const QColor& color);

    QColor m_color;
    QColor m_initial;
    QTabWidget* m_pages = nullptr;
    QColorDialog* m_custom = nullptr;
    QLabel* m_newSwatch = nullptr;
};

} // namespace lw
