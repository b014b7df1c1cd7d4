// Desktop front end: the shelf with its matrix windows over the same session as the console.
#include "desktop.h"
#include "qt_translations.h"
#include "ui/program_start.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvora - Matrix Calculator"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zelvora.svg")));
    zelvora::gui::InstallGermanQtTranslations(application);
    zelvora::KeepLargeBlocksForReuse();
    // A write past a file-size limit fails and is reported as the statement's failure (the old
    // file stays) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    zelvora::gui::tDesktop desktop(zelvora::PlatformPathsFromEnvironment(argv[0]));
    if (!desktop.Start(std::vector<std::string>(argv, argv + argc)))
        return 1;
    return QApplication::exec();
}
