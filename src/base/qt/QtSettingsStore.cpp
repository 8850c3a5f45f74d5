#include "base/qt/QtSettingsStore.h"

#include "base/qt/QtText.h"

#include <QStringList>

namespace corvane {

namespace {

/// "Section/Value": QSettings' form of a key inside an INI section.
QString keyOf(std::string_view section, std::string_view name)
{
    return QString::fromLatin1(section.data(), static_cast<qsizetype>(section.size())) +
           QLatin1Char('/') + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

/// The text of a stored value. A hand-edited line such as "Name=a,b" reads back as a list in
/// QSettings' INI format; it is one string to us.
QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Dunmere"), QStringLiteral("Corvane")))
{
}

QtSettingsStore::QtSettingsStore(const QString& iniFilePath)
    : settings_(std::make_unique<QSettings>(iniFilePath, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::readInt(std::string_view section, std::string_view name,
                             int defaultValue) const
{
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const int result = textOf(value).trimmed().toInt(&ok);
    return ok ? result : defaultValue;
}

SjisString QtSettingsStore::readString(std::string_view section, std::string_view name,
                                       SjisView defaultValue) const
{
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid())
        return SjisString(defaultValue);
    return toSjis(textOf(value));
}

void QtSettingsStore::writeInt(std::string_view section, std::string_view name, int value)
{
    settings_->setValue(keyOf(section, name), value);
}

void QtSettingsStore::writeString(std::string_view section, std::string_view name, SjisView value)
{
    settings_->setValue(keyOf(section, name), toQString(value));
}

bool QtSettingsStore::flush()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString QtSettingsStore::fileName() const
{
    return settings_->fileName();
}

} // namespace corvane
