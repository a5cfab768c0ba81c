// A window of another application for the panel's focus tests: it shows a text field, takes the
// keyboard focus and prints its X window id once it has it. It runs until it is killed.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("Focus holder"));
    field.setGeometry(40, 40, 300, 60);
    field.show();
    field.activateWindow();

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QGuiApplication::focusWindow() != field.windowHandle())
            return;
        poll.stop();
        std::printf("%llu\n", static_cast<unsigned long long>(field.winId()));
        std::fflush(stdout);
    });
    poll.start(10);
    return app.exec();
}
