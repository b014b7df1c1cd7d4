#include "qt_processes.h"

#include "ui/program_start.h"

#include <QProcess>

namespace zelvora::gui {

namespace {

QString FileSystemText(const std::string& programText)
{
    return QString::fromStdString(FileSystemPath(programText));
}

} // namespace

bool tQtProcesses::Start(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list.push_back(FileSystemText(argument));
    return QProcess::startDetached(FileSystemText(program), list);
}

} // namespace zelvora::gui
