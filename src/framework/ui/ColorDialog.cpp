#include "framework/ui/ColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lw {

namespace {
QString swatchStyle(const QColor& c) {
    return QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(c.name());
}
} // namespace

const std::vector<QColor>& CMFCColorDialog::StandardColors() {
    static const std::vector<QColor> colors = [] {
        const unsigned rgb[] = {
            0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
            0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
            0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x999999,
            0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
            0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
        };
        std::vector<QColor> list;
        for (unsigned v : rgb)
            list.push_back(QColor::fromRgb(QRgb(v)));
        return list;
    }();
    return colors;
}

CMFCColorDialog::CMFCColorDialog(const QColor& initial, QWidget* parent)
    : QDialog(parent), m_color(initial), m_initial(initial) {
    setWindowTitle(QStringLiteral("Colors"));
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);

    auto* standard = new QWidget(m_pages);
    auto* grid = new QGridLayout(standard);
    grid->setSpacing(2);
    int n = 0;
    for (const QColor& c : StandardColors()) {
        auto* b = new QToolButton(standard);
        b->setFixedSize(22, 22);
        b->setStyleSheet(swatchStyle(c));
        b->setToolTip(c.name());
        QObject::connect(b, &QToolButton::clicked, this, [this, c] { choose(c); });
        grid->addWidget(b, n / 8, n % 8);
        ++n;
    }
    m_pages->addTab(standard, QStringLiteral("Standard"));

    // Qt's own colour picker, embedded as a page and without its buttons.
    m_custom = new QColorDialog(initial, m_pages);
    m_custom->setWindowFlags(Qt::Widget);
    m_custom->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    QObject::connect(m_custom, &QColorDialog::currentColorChanged, this,
                     [this](const QColor& c) { choose(c); });
    m_pages->addTab(m_custom, QStringLiteral("Custom"));

    auto* row = new QHBoxLayout;
    m_newSwatch = new QLabel(this);
    m_newSwatch->setFixedSize(40, 20);
    auto* current = new QLabel(this);
    current->setFixedSize(40, 20);
    current->setStyleSheet(swatchStyle(initial));
    row->addWidget(new QLabel(QStringLiteral("New"), this));
    row->addWidget(m_newSwatch);
    row->addWidget(new QLabel(QStringLiteral("Current"), this));
    row->addWidget(current);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    choose(initial);
}

void CMFCColorDialog::choose(const QColor& color) {
    m_color = color;
    m_newSwatch->setStyleSheet(swatchStyle(color));
}

void CMFCColorDialog::SetCurrentColor(const QColor& color) {
    m_initial = color;
    choose(color);
}

} // namespace lw
