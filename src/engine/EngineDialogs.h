#pragma once
// The dialogs an engine shows for its own commands: the address of a link, an image, the
// font of the selection, an object, a new table, the properties of an image, a link or the
// page, printing, page setup and print preview. Every dialog
// answers through a callback, so asking never blocks the caller; a host can show dialogs of
// its own, and tests answer them (or leave them unanswered) without a window.

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace lw {

struct ImageChoice {
    // An address, or a local file path.
    QString source;
    QString alternateText;
    bool operator==(const ImageChoice&) const = default;
};

struct ObjectChoice {
    // The object's data: an address, or a local file path.
    QString data;
    // Its MIME type; may be empty.
    QString type;
    bool operator==(const ObjectChoice&) const = default;
};

// The character format of the selection, and what the font dialog asks for. A field without
// a value is mixed in the selection when it is asked, and is left as it is when it comes back
// without one.
struct FontChoice {
    std::optional<QString> name;
    // HTML size 1 to 7.
    std::optional<int> size;
    // Colours as 0x00BBGGRR.
    std::optional<quint32> foreColor;
    std::optional<quint32> backColor;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strikethrough;
    std::optional<bool> superscript;
    std::optional<bool> subscript;
    bool operator==(const FontChoice&) const = default;
};

// A new table.
struct TableChoice {
    int rows = 2;
    int columns = 2;
    bool headerRow = false;
    // Pixels ("400") or a percentage ("100%"); empty leaves the width to the content.
    QString width;
    bool operator==(const TableChoice&) const = default;
};

// The attributes of an image; sizes are pixels as text, empty when not set.
struct ImageProperties {
    QString source;
    QString alternateText;
    QString width;
    QString height;
    // The image's own size, for keeping its aspect ratio; 0 while unknown.
    int naturalWidth = 0;
    int naturalHeight = 0;
    // "", left, right, top, middle or bottom.
    QString align;
    QString border;
    bool operator==(const ImageProperties&) const = default;
};

struct LinkProperties {
    QString address;
    QString title;
    QString target;
    // Set in an answer: the link goes and its content stays.
    bool remove = false;
    bool operator==(const LinkProperties&) const = default;
};

struct PageProperties {
    QString title;
    QString language;
    // The declared character set, and the one the page was read with.
    QString charset;
    QString loadedCharset;
    QString description;
    QString keywords;
    // Colours as the page writes them ("#ffffff", "white"); empty when not set.
    QString background;
    QString text;
    bool operator==(const PageProperties&) const = default;
};

class EngineDialogProvider {
public:
    // Called once with the user's choice, or with nothing when the dialog was cancelled.
    template <typename T> using Answer = std::function<void(std::optional<T>)>;

    virtual ~EngineDialogProvider() = default;

    // The address to link the selection to; current is the address of the link the selection
    // is in (empty when none). An empty address removes the link.
    virtual void askHyperlink(QWidget* parent, const QString& current, Answer<QString> answer) = 0;
    // The image to insert; current describes the selected image, if any.
    virtual void askImage(QWidget* parent, const ImageChoice& current, Answer<ImageChoice> answer) = 0;
    virtual void askFont(QWidget* parent, const FontChoice& current, Answer<FontChoice> answer) = 0;
    virtual void askObject(QWidget* parent, const ObjectChoice& current, Answer<ObjectChoice> answer) = 0;
    virtual void askTable(QWidget* parent, Answer<TableChoice> answer) = 0;
    virtual void askImageProperties(QWidget* parent, const ImageProperties& current,
                                    Answer<ImageProperties> answer) = 0;
    virtual void askLinkProperties(QWidget* parent, const LinkProperties& current,
                                   Answer<LinkProperties> answer) = 0;
    virtual void askPageProperties(QWidget* parent, const PageProperties& current,
                                   Answer<PageProperties> answer) = 0;
    // Lets the user set up printer, which holds the engine's page layout; true prints on it.
    virtual void askPrint(QWidget* parent, std::shared_ptr<QPrinter> printer,
                          std::function<void(bool)> answer) = 0;
    // Lets the user change the page layout of printer; true keeps the change.
    virtual void askPageSetup(QWidget* parent, std::shared_ptr<QPrinter> printer,
                              std::function<void(bool)> answer) = 0;
    // Shows the pages as they would print on printer; paint draws them on the printer it is
    // given, whenever the preview needs them.
    virtual void showPrintPreview(QWidget* parent, std::shared_ptr<QPrinter> printer,
                                  std::function<void(QPrinter*)> paint) = 0;
    // Tells the user why something they asked for did not happen; returns at once.
    virtual void tell(QWidget* parent, const QString& message) = 0;
};

// The dialogs on Qt Widgets, window-modal to their parent.
std::shared_ptr<EngineDialogProvider> createStandardDialogs();

} // namespace lw
