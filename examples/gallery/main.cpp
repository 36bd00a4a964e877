#include "GalleryFamilies.h"
#include "GalleryWindow.h"
#include "app/FontSubstitutions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

// hx-gallery: the console's instrument widgets with its settings, swept by
// one slider. `--value 0..100` sets the slider; `--shot FILE.png` saves the
// window to a PNG and quits (works on the offscreen platform too).
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
    parser.addOption(valueOption);
    parser.addOption(shotOption);
    parser.process(app);

    GalleryWindow window;
    fillGallery(window);
    window.setFraction(parser.value(valueOption).toDouble() / 100.0);
    window.show();

    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(200, &window, [&window, file] {
            window.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
