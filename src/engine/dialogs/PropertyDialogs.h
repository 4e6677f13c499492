#pragma once
// The dialogs the page's context menu opens: a new table, and the properties of an image, a
// link and the page. Each one starts from what the page holds and answers with every field.

#include "engine/EngineDialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace lw {

class TableDialog : public QDialog {
    Q_OBJECT

public:
    explicit TableDialog(QWidget* parent);
    TableChoice choice() const;

private:
    QSpinBox* m_rows;
    QSpinBox* m_columns;
    QCheckBox* m_header;
    QLineEdit* m_width;
};

class ImagePropertiesDialog : public QDialog {
    Q_OBJECT

public:
    ImagePropertiesDialog(const ImageProperties& current, QWidget* parent);
    ImageProperties properties() const;

private:
    // Follows a change of one side with the other when the aspect ratio is kept.
    void keepRatio(bool widthChanged);

    ImageProperties m_current;
    QLineEdit* m_source;
    QLineEdit* m_alternate;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QCheckBox* m_keepRatio;
    QComboBox* m_align;
    QLineEdit* m_border;
    bool m_following = false;
};

class LinkPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    LinkPropertiesDialog(const LinkProperties& current, QWidget* parent);
    LinkProperties properties() const;

private:
    QLineEdit* m_address;
    QLineEdit* m_title;
    QComboBox* m_target;
    bool m_remove = false;
};

class PagePropertiesDialog : public QDialog {
    Q_OBJECT

public:
    PagePropertiesDialog(const PageProperties& current, QWidget* parent);
    PageProperties properties() const;

private:
    PageProperties m_current;
    QLineEdit* m_title;
    QLineEdit* m_language;
    QComboBox* m_charset;
    QLineEdit* m_description;
    QLineEdit* m_keywords;
    QLineEdit* m_background;
    QLineEdit* m_text;
};

} // namespace lw
