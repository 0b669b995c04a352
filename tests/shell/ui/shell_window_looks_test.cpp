// How the shell's own windows look to their user: every text fits at the font sizes people
// use, and a dark desktop gets dark windows with readable text. Pictures of each are kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "shell/settings.h"
#include "shell/ui/about_window.h"
#include "shell/ui/getting_started_window.h"
#include "shell/ui/splash_window.h"
#include "shell/ui/trayless_window.h"
#include "tests/support/manual_event_loop.h"
#include "tests/support/memory_registry.h"
#include "tests/support/null_message_boxes.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fits.h"

namespace shell::ui {
namespace {

using jotwise::testing::ApplicationFontSize;
using jotwise::testing::clippedTexts;
using jotwise::testing::DarkPalette;
using jotwise::testing::keepPicture;

// The splash is only looked at: it never connects.
class IdleHost : public SplashHost {
public:
    outlook::TDataStore& CreateSession() override { throw std::logic_error("not connected"); }
    void DestroySession() override {}
    void ShowHidden() override {}
    void Quit(int) override {}
};

class SilentNotifier : public DesktopNotifier {
public:
    void notify(const std::string&, const std::string&) override {}
};

// The windows the shell shows by itself, each made anew for the font or palette in force.
class ShellWindowLooks : public ::testing::Test {
protected:
    std::unique_ptr<QWidget> make(const std::string& which) {
        if (which == "about") return std::make_unique<AboutWindow>("/bin/sh");
        if (which == "splash")
            return std::make_unique<SplashWindow>(host, loop, "/bin/sh", console);
        if (which == "trayless") return std::make_unique<TraylessWindow>(settings, notifier);
        auto window = std::make_unique<GettingStartedWindow>(
            settings, boxes, folder.path() / "autostart", folder.path() / "jotwise");
        if (which == "getting_started_trayless") window->logic().TrayIconShown(false);
        // Where the desktop has a calendar, its check box shows too.
        window->setDesktopCalendar(true, which == "getting_started");
        return window;
    }
    // Shown and drawn, as the user sees it.
    QImage shown(QWidget& window) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        return window.grab().toImage();
    }

    IdleHost host;
    jotwise::testing::ManualEventLoop loop;
    std::ostringstream console;
    jotwise::testing::MemoryRegistry registry;
    TRegistry settings{registry};
    jotwise::testing::NullMessageBoxes boxes;
    jotwise::testing::TempFolder folder;
    SilentNotifier notifier;
};

const char* const kWindows[] = {"about", "splash", "getting_started", "getting_started_trayless",
                                "trayless"};

TEST_F(ShellWindowLooks, EveryTextFitsFrom9To14Points) {
    for (const char* which : kWindows)
        for (const int points : {9, 11, 14}) {
            SCOPED_TRACE(std::string(which) + " at " + std::to_string(points) + " pt");
            const ApplicationFontSize size(points);
            const std::unique_ptr<QWidget> window = make(which);
            const QImage picture = shown(*window);
            EXPECT_EQ(clippedTexts(*window), std::vector<std::string>{});
            keepPicture(picture, std::string(which) + "_" + std::to_string(points) + "pt.png");
        }
}

// The relative luminance and contrast ratio of the Web Content Accessibility Guidelines:
// 4.5 is what normal text needs to be read with ease.
double luminance(const QColor& colour) {
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(ShellWindowLooks, ADarkPaletteGivesDarkWindowsWithReadableText) {
    const DarkPalette dark;
    for (const char* which : kWindows) {
        SCOPED_TRACE(which);
        const std::unique_ptr<QWidget> window = make(which);
        const QImage picture = shown(*window);
        keepPicture(picture, std::string(which) + "_dark.png");
        // Inside the border: at the top (behind the picture, on the splash and About) and at
        // the bottom.
        for (const QPoint at : {QPoint(4, 4), QPoint(4, picture.height() - 4)}) {
            const QColor background = picture.pixelColor(at);
            EXPECT_LT(background.lightness(), 80) << "at " << at.x() << "," << at.y();
        }
        const QColor background = picture.pixelColor(4, picture.height() - 4);
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            const QColor text = label->palette().color(label->foregroundRole());
            EXPECT_GE(contrast(text, background), 4.5)
                << label->objectName().toStdString() << ": " << text.name().toStdString() << " on "
                << background.name().toStdString();
        }
    }
}

}  // namespace
}  // namespace shell::ui
