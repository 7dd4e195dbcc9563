// The graph window offscreen, driven by control name: start and stop, the buffer captions, the
// "Graph Setup" dialog, zoom and pan against the scroll bars, printing and image export.
#include "logging/frmGraph.h"

#include "logging/frmGraphCfg.h"
#include "logging_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace vanta;
using namespace vanta::logging;

namespace {

// List positions.
constexpr int TenthSecond = 0;
constexpr int OneSecond = 2;
constexpr int TenSeconds = 0;
constexpr int ThirtySeconds = 1;
constexpr int NeverStop = 12;

class GraphWindow : public ::testing::Test, public test::LoggingFixture
{
protected:
    ui::Navigator navigator{app, link};
    std::shared_ptr<GraphSetupExchange> setup = std::make_shared<GraphSetupExchange>();
    std::unique_ptr<frmGraph> window;

    GraphWindow()
    {
        app.setDemoMode(true); // values without an instrument on a line
        addInstrument(QStringLiteral("001"));
        addInstrument(QStringLiteral("002"));
    }

    // Opens the window on a Graph.val with these choices and the first `pens` instruments.
    void open(int rate, int duration, int pens)
    {
        GraphConfig config;
        config.SampleRateIndex = static_cast<qint16>(rate);
        config.DurationIndex = static_cast<qint16>(duration);
        config.RefreshIndex = 8; // never: the tests redraw
        config.XAxisTicks = 5;
        config.YAxisTicks = 5;
        config.PenSelection.fill(NonePenText);
        for (int pen = 0; pen < pens; ++pen)
            config.PenSelection[pen] = instrumentPenLine(app.Config.Instruments[pen]);
        folder.writeRaw(QStringLiteral("Graph.val"), graphConfigContent(config));
        window = std::make_unique<frmGraph>(navigator.context(), setup);
        window->resize(1000, 800);
        window->show();
        window->activated();
    }

    template <typename T>
    T *control(const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char *name) { control<QAbstractButton>(name)->click(); }
    QLabel *label(const char *name) { return control<QLabel>(name); }
    int bar(const char *name) { return control<QScrollBar>(name)->value(); }

    // Starts and takes `samples` samples `step` seconds apart, each tick just after its due time.
    void sample(int samples, double step)
    {
        click("cmdStartSampling");
        clock.advance(0.01);
        for (int i = 0; i < samples; ++i) {
            window->tmrGraphSampling_Timer();
            clock.advance(step);
        }
    }
};

} // namespace

TEST_F(GraphWindow, TimersRunFromAStartUntilSamplingStops)
{
    const std::pair<const char *, bool> stops[] = {{"Stop button", true},
                                                   {"end of the duration", false}};
    for (const auto &[name, byButton] : stops) {
        SCOPED_TRACE(name);
        open(OneSecond, TenSeconds, 2);
        sample(3, 1);
        EXPECT_TRUE(label("lblSampling")->isVisible());
        EXPECT_TRUE(control<QTimer>("tmrGraphSampling")->isActive());
        EXPECT_TRUE(control<QTimer>("tmrGraphRefresh")->isActive());
        EXPECT_TRUE(app.GraphRecording());
        click("cmdRefresh");
        EXPECT_EQ(label("lblSampleCountText")->text(), "3");
        EXPECT_EQ(window->plot()->graphCount(), 2);
        EXPECT_EQ(window->plot()->graph(1)->dataCount(), 3);
        if (byButton) {
            click("cmdStopSampling");
        } else {
            clock.advance(10);
            window->tmrGraphSampling_Timer();
        }
        EXPECT_FALSE(label("lblSampling")->isVisible());
        EXPECT_FALSE(control<QTimer>("tmrGraphSampling")->isActive());
        EXPECT_FALSE(control<QTimer>("tmrGraphRefresh")->isActive());
        EXPECT_FALSE(app.GraphRecording());
    }
}

TEST_F(GraphWindow, BufferCaptionsShowOnlyWhenTheChoicesCanFillTheBuffer)
{
    struct Case
    {
        int rate;
        int duration;
        int pens;
        bool visible;
        const char *text;
    };
    const Case cases[] = {
        {TenthSecond, NeverStop, 1, true, "5 Of 128,000"},
        {TenthSecond, NeverStop, 2, true, "10 Of 128,000"},
        {OneSecond, ThirtySeconds, 2, false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pens);
        open(c.rate, c.duration, c.pens);
        sample(5, 0.1);
        click("cmdStopSampling");
        EXPECT_EQ(label("lblBufferSize")->isVisible(), c.visible);
        EXPECT_EQ(label("lblBufferSizeText")->isVisible(), c.visible);
        if (c.text) {
            EXPECT_EQ(label("lblBufferSizeText")->text(), c.text);
        }
    }
}

TEST_F(GraphWindow, GraphSetupChangesTicksGridAndGraphVal)
{
    struct Case
    {
        const char *name;
        const char *xTicks;
        bool ok;
        int storedTicks; // -1: Graph.val not rewritten
        bool xGrid;
    };
    const Case cases[] = {
        {"OK with edits", "8", true, 8, true},
        {"a count outside 2..20", "25", true, 5, true},
        {"Cancel", "8", false, -1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        open(OneSecond, ThirtySeconds, 1);
        const QByteArray before =
            test::LoggingFixture::fileLines(folder.filePath("Graph.val")).join('\n').toLatin1();
        navigator.registerModal(QStringLiteral("frmGraphCfg"), [&](const ui::WindowContext &) {
            auto dialog = std::make_unique<frmGraphCfg>(*setup);
            QTimer::singleShot(0, dialog.get(), [&c, dialog = dialog.get()] {
                dialog->findChild<QLineEdit *>("txtXAxisTicks")->setText(c.xTicks);
                dialog->findChild<QCheckBox *>("chkShowXGrid")->setChecked(true);
                dialog->findChild<QPushButton *>(c.ok ? "cmdOK" : "cmdCancel")->click();
            });
            return dialog;
        });
        click("cmdGraphConfig");
        const GraphConfig stored = ReadGraphConfig(app, ui);
        if (c.storedTicks < 0) {
            EXPECT_EQ(test::LoggingFixture::fileLines(folder.filePath("Graph.val")).join('\n'),
                      QString::fromLatin1(before));
        } else {
            EXPECT_EQ(stored.XAxisTicks, c.storedTicks);
            EXPECT_EQ(window->plot()->xAxis->ticker()->tickCount(), c.storedTicks);
        }
        EXPECT_EQ(stored.ShowXGrid != 0, c.xGrid);
        EXPECT_EQ(window->plot()->xAxis->grid()->visible(), c.xGrid);
    }
}

TEST_F(GraphWindow, ZoomAndPanMoveTheScrollBarsAndTheBarsMoveTheChart)
{
    open(OneSecond, ThirtySeconds, 1);
    sample(11, 1); // X 0 .. 10
    click("cmdStopSampling");
    TrendPlot *plot = window->plot();
    plot->replot();
    const QRect chart = plot->axisRect()->rect();

    // One notch at the left edge: the range keeps its start and shrinks to 85 %.
    QWheelEvent wheel(QPointF(chart.left(), chart.center().y()), QPointF(), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot, &wheel);
    EXPECT_FALSE(control<QCheckBox>("chkXAutoScale")->isChecked());
    EXPECT_TRUE(control<QScrollBar>("hscXAxisOffset")->isEnabled());
    EXPECT_EQ(bar("hscXAxisOffset"), 0);
    EXPECT_EQ(bar("hscXAxisSpan"), 85);
    EXPECT_DOUBLE_EQ(plot->xAxis->range().upper, 8.5);

    // Dragging a fifth of the width to the left shows what lies 17 % further on.
    const QPointF from = chart.center();
    const QPointF to = from - QPointF(chart.width() / 5.0, 0);
    QMouseEvent press(QEvent::MouseButtonPress, from, from, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, to, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    for (QMouseEvent *event : {&press, &move, &release})
        QCoreApplication::sendEvent(plot, event);
    EXPECT_EQ(bar("hscXAxisOffset"), 17);
    EXPECT_EQ(bar("hscXAxisSpan"), 85);

    control<QScrollBar>("hscXAxisOffset")->setValue(50);
    EXPECT_DOUBLE_EQ(plot->xAxis->range().lower, 5);
    EXPECT_DOUBLE_EQ(plot->xAxis->range().upper, 13.5);
}

TEST_F(GraphWindow, PrintsOnePageInTheOrientationAsked)
{
    struct Case
    {
        const char *button;
        core::MsgResult answer;
        bool printed;
        core::PageOrientation orientation;
    };
    const Case cases[] = {
        {"cmdPrintColor", core::MsgResult::Yes, true, core::PageOrientation::Landscape},
        {"cmdPrintMono", core::MsgResult::No, true, core::PageOrientation::Portrait},
        {"cmdPrintColor", core::MsgResult::Cancel, false, core::PageOrientation::Portrait},
    };
    open(OneSecond, ThirtySeconds, 2);
    sample(4, 1);
    click("cmdStopSampling");
    int index = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(index);
        const QString pdf = folder.filePath(QStringLiteral("graph%1.pdf").arg(index++));
        ui.answers.push_back(c.answer);
        ui.printResults.push_back(core::PrintTarget{QString(), pdf, c.orientation});
        const size_t requests = ui.printRequests.size();
        click(c.button);
        EXPECT_EQ(ui.boxes.back().title, "Print Graph");
        ASSERT_EQ(QFile::exists(pdf), c.printed);
        ui.printResults.clear();
        if (!c.printed) {
            EXPECT_EQ(ui.printRequests.size(), requests);
            continue;
        }
        EXPECT_EQ(ui.printRequests.back().orientation, c.orientation);
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(file.readAll());
        EXPECT_EQ(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                .match(content);
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(),
                  c.orientation == core::PageOrientation::Landscape);
    }
}

TEST_F(GraphWindow, ExportsTheChartAsPngOrPdf)
{
    open(OneSecond, ThirtySeconds, 1);
    sample(3, 1);
    click("cmdStopSampling");
    const std::pair<const char *, QByteArray> files[] = {{"chart.png", "\x89PNG"},
                                                         {"chart.pdf", "%PDF"}};
    for (const auto &[name, magic] : files) {
        SCOPED_TRACE(name);
        const QString path = folder.filePath(QString::fromLatin1(name));
        ui.saveResults.push_back(path);
        click("cmdExportImage");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(4).startsWith(magic));
    }
}
