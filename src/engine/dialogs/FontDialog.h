#pragma once
// The engine's font dialog: name, size, colours and styles of the selection at once. What is
// mixed in the selection starts undecided and is left alone unless the user sets it.

#include "engine/EngineDialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QPushButton;

namespace lw {

class FontDialog : public QDialog {
    Q_OBJECT

public:
    FontDialog(const FontChoice& current, QWidget* parent);

    FontChoice choice() const;

private:
    QPushButton* colorButton(std::optional<quint32>& color);
    void chooseColor(QPushButton* button, std::optional<quint32>& color);
    static void showColor(QPushButton* button, const std::optional<quint32>& color);

    QFontComboBox* m_name = nullptr;
    QComboBox* m_size = nullptr;
    std::optional<quint32> m_foreColor;
    std::optional<quint32> m_backColor;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikethrough = nullptr;
    QCheckBox* m_superscript = nullptr;
    QCheckBox* m_subscript = nullptr;
};

} // namespace lw
