// Building a group's pages from the parameter table and copying fields to and from them.
//
// A page is laid out by sections: the fields outside any section form captioned rows in
// columns at the top; each section is a frame of its own, frames side by side. Inside a frame
// the fields of one row ("Step 0") sit on one line under column headings. Controls are created
// in page order, which is their tab order.
#include "config/config_pages_widget.h"

#include "ui/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace vanta::config {

namespace {

constexpr int RowsPerColumn = 12; // fields outside sections per column
constexpr int FramesPerLine = 4;
constexpr int NumberWidth = 90;
constexpr int TimeWidth = 30;
constexpr int ListVisibleItems = 16;
constexpr int FirstStepTime = 8320; // txtPattHour and txtPattMin are indexed from here

// One control of a page: a whole field, or one box of a bit field.
struct Item
{
    int position; // in parametersOf(group)
    int bit;      // -1: the whole field
    QString caption;
    QString row;
};

// One line of a block: a single captioned control, or the controls of one row.
struct Line
{
    QString row; // empty: a single control
    std::vector<Item> items;
};

struct Block
{
    QString section; // empty: the fields outside any section
    std::vector<Item> items;
};

Block &blockFor(std::vector<Block> &blocks, const QString &section)
{
    for (Block &block : blocks) {
        if (block.section == section)
            return block;
    }
    blocks.push_back({section, {}});
    return blocks.back();
}

// The page's controls grouped by section, in order of first appearance; the boxes of one bit
// field may belong to several sections (the event outputs of the ramp/soak steps).
std::vector<Block> blocksOf(const std::vector<Parameter> &params, int page)
{
    std::vector<Block> blocks{{}};
    for (std::size_t i = 0; i < params.size(); ++i) {
        const Parameter &p = params[i];
        if (p.page != page)
            continue;
        const int position = static_cast<int>(i);
        if (p.kind != ControlKind::BitBoxes) {
            blockFor(blocks, p.section).items.push_back({position, -1, p.caption, p.row});
            continue;
        }
        for (const BitBox &box : p.boxes)
            blockFor(blocks, box.section)
                .items.push_back({position, box.bit, box.caption, box.row});
    }
    return blocks;
}

// The block's lines: each row gathers its controls where it first appears.
std::vector<Line> linesOf(const std::vector<Item> &items)
{
    std::vector<Line> lines;
    for (const Item &item : items) {
        const auto row = std::find_if(lines.begin(), lines.end(), [&item](const Line &line) {
            return !item.row.isEmpty() && line.row == item.row;
        });
        if (row != lines.end())
            row->items.push_back(item);
        else
            lines.push_back({item.row, {item}});
    }
    return lines;
}

// A caption without its frame's or row's name in front.
QString withoutPrefix(const QString &caption, const QString &prefix)
{
    const QString lead = prefix + QLatin1Char(' ');
    if (prefix.isEmpty() || !caption.startsWith(lead))
        return caption;
    return caption.mid(lead.size());
}

// A column heading over the rows: the caption without the row's name and without the code in
// parentheses that differs from row to row ("Step 1 Time (t01)" -> "Time").
QString headingOf(const Item &item)
{
    const QString caption = withoutPrefix(item.caption, item.row);
    const int code = caption.lastIndexOf(QLatin1String(" ("));
    return code > 0 && caption.endsWith(QLatin1Char(')')) ? caption.left(code) : caption;
}

// Whole text selected whenever the focus enters the field, by key or by click: the click's own
// cursor placement comes first, so the selection is made once it is done.
class SelectAllOnEntry : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *edit = static_cast<QLineEdit *>(watched);
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        }
        return false;
    }
};

QLineEdit *newNumberBox(QWidget *parent, ControlArray array, int index, int width,
                        QObject *selectAll)
{
    const QByteArray name = controlName(array, index).toLatin1();
    QLineEdit *edit = ui::newTextBox(parent, name.constData());
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignRight);
    edit->installEventFilter(selectAll);
    return edit;
}

QComboBox *newList(QWidget *parent, ControlArray array, const Parameter &p)
{
    const QByteArray name = controlName(array, p.reg).toLatin1();
    QComboBox *list = ui::newCombo(parent, name.constData());
    list->addItems(optionEntries(p.list));
    list->setMaxVisibleItems(ListVisibleItems);
    return list;
}

QLabel *captionLabel(QWidget *parent, int reg, const QString &caption)
{
    const QByteArray name = controlName(ControlArray::lblParamLabel, reg).toLatin1();
    return ui::newLabel(parent, name.constData(), caption);
}

int nextRow(const QGridLayout *grid)
{
    return grid->count() == 0 ? 0 : grid->rowCount();
}

// The controls a row shows for an item, for their tool tips.
std::vector<QWidget *> controlsOf(const FieldControls &f, int bit)
{
    std::vector<QWidget *> controls;
    if (bit >= 0) {
        for (const auto &[boxBit, box] : f.boxes) {
            if (boxBit == bit)
                controls.push_back(box);
        }
        return controls;
    }
    for (QWidget *control : {static_cast<QWidget *>(f.text), static_cast<QWidget *>(f.hours),
                             static_cast<QWidget *>(f.minutes), static_cast<QWidget *>(f.list)}) {
        if (control != nullptr)
            controls.push_back(control);
    }
    return controls;
}

} // namespace

// Lays out one page, filling the pages' FieldControls.
class PageBuilder
{
public:
    PageBuilder(ConfigPages &pages, QWidget *page)
        : m_pages(pages), m_page(page), m_selectAll(new SelectAllOnEntry(page))
    {}

    void build(const Page &page, int index);

private:
    QWidget *looseFields(const Block &block);
    QGroupBox *frame(const Block &block);
    void addLines(QGridLayout *grid, const std::vector<Item> &items, const QString &section);
    void addHeadings(QGridLayout *grid, const Line &line);
    void addRowLine(QGridLayout *grid, const Line &line);
    enum class Caption
    {
        Beside,
        Above
    };
    void addLine(QGridLayout *grid, const Item &item, const QString &section, Caption placement);
    // The item's control(s) at (row, column); a bit box spans `span` columns. A field whose
    // caption follows another field gets that caption (lblParamLabel) in the next column.
    void addControl(QGridLayout *grid, const Item &item, int row, int column, int span);
    void addFieldControl(QGridLayout *grid, const Parameter &p, int row, int column);
    QLabel *staticCaption(const Item &item, const QString &text);

    FieldControls &field(const Item &item) { return m_pages.m_fields[item.position]; }
    const Parameter &parameter(const Item &item) const
    {
        return parametersOf(m_pages.m_group)[item.position];
    }

    ConfigPages &m_pages;
    QWidget *m_page;
    QObject *m_selectAll;
};

void PageBuilder::build(const Page &page, int index)
{
    auto *layout = new QVBoxLayout(m_page);
    if (!page.note.isEmpty()) {
        QLabel *note = ui::newLabel(m_page, "lblPageNote", page.note);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    const std::vector<Block> blocks = blocksOf(parametersOf(m_pages.m_group), index);
    QWidget *loose = looseFields(blocks.front());
    if (blocks.size() == 2) { // one frame: beside the other fields
        auto *row = new QHBoxLayout;
        row->addWidget(loose, 0, Qt::AlignTop);
        row->addWidget(frame(blocks.back()), 0, Qt::AlignTop);
        row->addStretch();
        layout->addLayout(row);
        layout->addStretch();
        return;
    }
    layout->addWidget(loose, 0, Qt::AlignLeft);
    auto *frames = new QGridLayout;
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        const int n = static_cast<int>(i) - 1;
        frames->addWidget(frame(blocks[i]), n / FramesPerLine, n % FramesPerLine, Qt::AlignTop);
    }
    frames->setColumnStretch(FramesPerLine, 1);
    layout->addLayout(frames);
    layout->addStretch();
}

// Captioned rows in columns of at most RowsPerColumn.
QWidget *PageBuilder::looseFields(const Block &block)
{
    auto *area = new QWidget(m_page);
    area->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    auto *columns = new QHBoxLayout(area);
    columns->setContentsMargins(0, 0, 0, 0);
    const auto count = static_cast<long>(block.items.size());
    const long columnCount = (count + RowsPerColumn - 1) / RowsPerColumn;
    const long perColumn = columnCount == 0 ? 1 : (count + columnCount - 1) / columnCount;
    for (long first = 0; first < count; first += perColumn) {
        auto *grid = new QGridLayout;
        const auto begin = block.items.begin() + first;
        addLines(grid, std::vector<Item>(begin, begin + std::min(perColumn, count - first)), {});
        grid->setRowStretch(grid->rowCount(), 1); // rows keep their height in a short column
        columns->addLayout(grid);
    }
    return area;
}

QGroupBox *PageBuilder::frame(const Block &block)
{
    QGroupBox *box = ui::newFrame(m_page, "fraSection", block.section);
    auto *grid = new QGridLayout(box);
    ConfigPages::SectionFrame section{box, {}};
    for (const Item &item : block.items)
        section.items.emplace_back(item.position, item.bit);
    m_pages.m_sections.push_back(std::move(section));
    addLines(grid, block.items, block.section);
    return box;
}

void PageBuilder::addLines(QGridLayout *grid, const std::vector<Item> &items,
                           const QString &section)
{
    const std::vector<Line> lines = linesOf(items);
    // Beside a table of rows, a caption goes above its control so the columns stay narrow.
    const bool table = std::any_of(lines.begin(), lines.end(),
                                   [](const Line &line) { return !line.row.isEmpty(); });
    bool headings = true;
    for (const Line &line : lines) {
        if (line.row.isEmpty()) {
            addLine(grid, line.items.front(), section, table ? Caption::Above : Caption::Beside);
            continue;
        }
        if (headings)
            addHeadings(grid, line);
        headings = false;
        addRowLine(grid, line);
    }
}

// Each control of a row takes two columns: the control and the caption that may follow it.
void PageBuilder::addHeadings(QGridLayout *grid, const Line &line)
{
    const int r = nextRow(grid);
    for (std::size_t i = 0; i < line.items.size(); ++i)
        grid->addWidget(new QLabel(headingOf(line.items[i]), m_page), r,
                        2 * static_cast<int>(i) + 1, 1, 2);
}

// "Step 0  [setpoint]  [hh]:[mm]": the row's name, then its controls without captions.
void PageBuilder::addRowLine(QGridLayout *grid, const Line &line)
{
    const int r = nextRow(grid);
    grid->addWidget(staticCaption(line.items.front(), line.row), r, 0);
    for (std::size_t i = 0; i < line.items.size(); ++i) {
        const Item &item = line.items[i];
        addControl(grid, item, r, 2 * static_cast<int>(i) + 1, 1);
        for (QWidget *control : controlsOf(field(item), item.bit))
            control->setToolTip(item.caption);
    }
}

void PageBuilder::addLine(QGridLayout *grid, const Item &item, const QString &section,
                          Caption placement)
{
    int r = nextRow(grid);
    const QString caption = withoutPrefix(item.caption, section);
    if (item.bit >= 0) {
        addControl(grid, Item{item.position, item.bit, caption, item.row}, r, 0, 3);
        return;
    }
    const Parameter &p = parameter(item);
    QLabel *label = nullptr;
    if (p.labelled && p.unit == UnitCaption::None)
        label = field(item).caption = captionLabel(m_page, p.reg, caption);
    else
        label = staticCaption(item, caption);
    if (placement == Caption::Above) {
        grid->addWidget(label, r++, 0, 1, -1);
    } else {
        grid->addWidget(label, r, 0);
    }
    addControl(grid, item, r, 1, 1);
}

QLabel *PageBuilder::staticCaption(const Item &item, const QString &text)
{
    auto *label = new QLabel(text, m_page);
    field(item).followers.push_back(label);
    return label;
}

void PageBuilder::addControl(QGridLayout *grid, const Item &item, int row, int column, int span)
{
    const Parameter &p = parameter(item);
    FieldControls &f = field(item);
    f.parameter = &p;
    if (p.kind == ControlKind::BitBoxes) {
        const QByteArray name =
            controlName(ControlArray::chkParameter, boxIndex(p.reg, item.bit)).toLatin1();
        const QString caption = item.row.isEmpty() ? item.caption : QString();
        QCheckBox *box = ui::newCheckBox(m_page, name.constData(), caption);
        f.boxes.emplace_back(item.bit, box);
        grid->addWidget(box, row, column, 1, span);
        return;
    }
    addFieldControl(grid, p, row, column);
    if (p.unit != UnitCaption::None) {
        f.caption = captionLabel(m_page, p.reg, {});
        grid->addWidget(f.caption, row, column + 1);
    }
}

void PageBuilder::addFieldControl(QGridLayout *grid, const Parameter &p, int row, int column)
{
    FieldControls &f =
        m_pages.m_fields[static_cast<std::size_t>(&p - parametersOf(p.group).data())];
    switch (p.kind) {
    case ControlKind::HoursMinutes: {
        const int index = p.reg - FirstStepTime;
        f.hours = newNumberBox(m_page, ControlArray::txtPattHour, index, TimeWidth, m_selectAll);
        f.minutes = newNumberBox(m_page, ControlArray::txtPattMin, index, TimeWidth, m_selectAll);
        auto *colon = new QLabel(QStringLiteral(":"), m_page);
        f.followers.push_back(colon);
        grid->addLayout(ui::newRow({f.hours, colon, f.minutes, ui::Stretch}), row, column);
        return;
    }
    case ControlKind::List:
        f.list = newList(m_page, ControlArray::cbxParameter, p);
        grid->addWidget(f.list, row, column, Qt::AlignLeft);
        return;
    case ControlKind::ResetValue:
        f.list = newList(m_page, ControlArray::cbxReset, p);
        grid->addWidget(f.list, row, column + 2, Qt::AlignLeft);
        break;
    case ControlKind::TextField:
    case ControlKind::BitBoxes:
        break;
    }
    f.text = newNumberBox(m_page, ControlArray::txtParameter, p.reg, NumberWidth, m_selectAll);
    grid->addWidget(f.text, row, column, Qt::AlignLeft);
}

ConfigPages::ConfigPages(ConfigModel &model, int group, QWidget *parent)
    : QObject(parent), m_model(model), m_group(group)
{
    const QByteArray name = QStringLiteral("tabConfig_%1").arg(group).toLatin1();
    m_tabs = new QTabWidget(parent);
    m_tabs->setObjectName(QString::fromLatin1(name));
    m_fields.resize(parametersOf(group).size());
    const std::vector<Page> &pages = pagesOf(group);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto *scroll = new QScrollArea(m_tabs);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        auto *page = new QWidget(scroll);
        PageBuilder(*this, page).build(pages[i], static_cast<int>(i));
        scroll->setWidget(page);
        m_tabs->addTab(scroll, pages[i].title);
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        connectField(static_cast<int>(i));
}

} // namespace vanta::config
