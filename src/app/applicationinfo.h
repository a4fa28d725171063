#pragma once

// The product information, fixed at build time: the About window's product
// line, its copyright line and the target of its web-site link. The window
// captions are part of the windows' layouts and are not taken from here.

#include <QString>

class ApplicationInfo
{
public:
    ApplicationInfo() = delete;

    static const QString &ProductName();
    static const QString &Copyright();
    // The maker's home page with a query that tells the site which product
    // sent the visitor.
    static const QString &WebsiteURL();
};
