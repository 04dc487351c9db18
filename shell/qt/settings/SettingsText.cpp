#include "shell/qt/settings/SettingsText.h"

#include <QSettings>

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shell/qt/settings/Descriptor.h"

namespace quibo {

std::optional<std::string> ReadSettingsText(const std::string& text, const std::function<void(QSettings&)>& read)
{
    const Descriptor fd(memfd_create("quibo-settings", MFD_CLOEXEC));
    if (!fd.IsOpen())
        return std::string("memory for a copy: ") + std::strerror(errno);
    if (const int error = WriteAll(fd.Get(), text))
        return std::string("memory for a copy: ") + std::strerror(error);
    GiveOwnTime(fd.Get());
    QSettings settings(QString::fromStdString(DescriptorPath(fd.Get())), QSettings::IniFormat);
    if (settings.status() == QSettings::AccessError)
        return "Qt's settings store cannot read " + DescriptorPath(fd.Get());
    read(settings);
    return std::nullopt;
}

}  // namespace quibo
