#include "applicationinfo.h"

const QString &ApplicationInfo::ProductName()
{
    static const QString value = QStringLiteral("Orvanel");
    return value;
}

const QString &ApplicationInfo::Copyright()
{
    static const QString value = QStringLiteral("Copyright \u00A9 2026 Example Software. All rights reserved.");
    return value;
}

const QString &ApplicationInfo::WebsiteURL()
{
    static const QString value = QStringLiteral("https://www.example.com/?ref=orvanel");
    return value;
}
