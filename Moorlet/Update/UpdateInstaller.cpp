#include "Moorlet/Update/UpdateInstaller.h"

#include <QFile>
#include <QProcess>

namespace moorlet::UpdateInstaller {

QString script()
{
    // Every expansion is quoted and "--" ends the options of every tool that takes a path, so a
    // path that starts with "-" or holds blanks is still one path.
    return QStringLiteral(R"sh(pid=$1 install=$2 staged=$3
new="$install.moorlet-new-$$"
old="$install.moorlet-old-$$"
relaunch() { setsid -- "$1/bin/moorlet" </dev/null >/dev/null 2>&1 & }
while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
rm -rf -- "$new"
if ! cp -R -P -p -- "$staged" "$new" || ! [ -x "$new/bin/moorlet" ]; then
  rm -rf -- "$new"
  relaunch "$install"
  exit 1
fi
if ! mv -T -- "$install" "$old"; then
  rm -rf -- "$new"
  relaunch "$install"
  exit 1
fi
if ! mv -T -- "$new" "$install"; then
  mv -T -- "$old" "$install"
  rm -rf -- "$new"
  relaunch "$install"
  exit 1
fi
rm -rf -- "$old"
relaunch "$install"
)sh");
}

bool start(qint64 processId, const std::filesystem::path& installed, const std::filesystem::path& staged)
{
    return QProcess::startDetached(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"), script(), QStringLiteral("moorlet-update"), QString::number(processId),
            QFile::decodeName(installed.c_str()), QFile::decodeName(staged.c_str()) });
}

} // namespace moorlet::UpdateInstaller
