#include "GalleryFamilies.h"
#include "GalleryWindow.h"
#include "PlotPage.h"
#include "app/FontSubstitutions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

// hx-gallery: the console's instrument widgets with its settings, swept by
// one slider. `--value 0..100` sets the slider; `--page plot` shows the XY
// plot page instead; `--shot FILE.png` saves the window to a PNG and quits
// (works on the offscreen platform too).
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption valueOption(QStringLiteral("value"),
                                         QStringLiteral("Slider position in percent."),
                                         QStringLiteral("percent"), QStringLiteral("60"));
    const QCommandLineOption shotOption(QStringLiteral("shot"),
                                        QStringLiteral("Save the window to a PNG file and quit."),
                                        QStringLiteral("file"));
    const QCommandLineOption pageOption(QStringLiteral("page"), QStringLiteral("Page to show: widgets or plot."),
                                        QStringLiteral("page"), QStringLiteral("widgets"));
    parser.addOption(valueOption);
    parser.addOption(pageOption);
    parser.addOption(shotOption);
    parser.process(app);

    GalleryWindow gallery;
    std::unique_ptr<QWidget> plotPage;
    QWidget* window = &gallery;
    if (parser.value(pageOption) == QLatin1String("plot")) {
        plotPage = createPlotPage();
        window = plotPage.get();
    } else {
        fillGallery(gallery);
        gallery.setFraction(parser.value(valueOption).toDouble() / 100.0);
    }
    window->show();

    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(200, window, [window, file] {
            window->grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
