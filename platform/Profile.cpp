#include "platform/Profile.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include "platform/QtText.h"

namespace {

QString Key(std::string_view section, std::string_view entry) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/' +
           QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

// A stored value as text, when it is text (or a number, which the store may keep either way).
bool AsString(const QVariant& value, QString& out) {
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        out = value.toString();
        return true;
    default:
        return false;
    }
}

} // namespace

Profile::Profile()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Varnobel Limited"),
                                            QStringLiteral("Varnobel Viewer"))) {}

Profile::~Profile() = default;

int Profile::GetProfileInt(std::string_view section, std::string_view entry,
                           int defaultValue) const {
    QString text;
    if (!AsString(settings_->value(Key(section, entry)), text)) {
        return defaultValue;
    }
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool Profile::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
    settings_->setValue(Key(section, entry), value);
    return settings_->isWritable();
}

Text Profile::GetProfileString(std::string_view section, std::string_view entry,
                               const Text& defaultValue) const {
    QString text;
    if (!AsString(settings_->value(Key(section, entry)), text)) {
        return defaultValue;
    }
    return ToText(text);
}

bool Profile::WriteProfileString(std::string_view section, std::string_view entry,
                                 const Text& value) {
    settings_->setValue(Key(section, entry), ToQString(value));
    return settings_->isWritable();
}

std::string Profile::GetProfileBinary(std::string_view section, std::string_view entry) const {
    const QVariant value = settings_->value(Key(section, entry));
    if (value.typeId() != QMetaType::QByteArray) {
        return {};
    }
    return value.toByteArray().toStdString();
}

bool Profile::WriteProfileBinary(std::string_view section, std::string_view entry,
                                 std::string_view bytes) {
    settings_->setValue(Key(section, entry),
                        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return settings_->isWritable();
}

void Profile::Flush() {
    settings_->sync();
}
