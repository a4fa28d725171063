#include "propertystore.h"

#include "inistore.h"

#include <algorithm>

PropertyStore::PropertyStore(IniStore &store, QString section)
    : m_store(store), m_section(std::move(section))
{
}

void PropertyStore::addInteger(QString key, std::function<int()> get, std::function<void(int)> set,
                               int min, int max)
{
    Entry e;
    e.key = std::move(key);
    e.integer = true;
    e.getInt = std::move(get);
    e.setInt = std::move(set);
    e.min = min;
    e.max = max;
    m_entries.push_back(std::move(e));
}

void PropertyStore::addDecimal(QString key, std::function<long double()> get,
                               std::function<void(long double)> set)
{
    Entry e;
    e.key = std::move(key);
    e.integer = false;
    e.getDecimal = std::move(get);
    e.setDecimal = std::move(set);
    m_entries.push_back(std::move(e));
}

QStringList PropertyStore::keys() const
{
    QStringList list;
    for (const Entry &e : m_entries)
        list.append(e.key);
    return list;
}

void PropertyStore::Load()
{
    for (const Entry &e : m_entries) {
        if (!m_store.hasKey(m_section, e.key))
            continue;
        if (e.integer)
            e.setInt(std::clamp(m_store.readInteger(m_section, e.key, 0), e.min, e.max));
        else
            // A number far beyond any control's range (1E300) is brought to
            // one the controls can show, so it meets their range check, with
            // its message and correction, instead of being dropped.
            e.setDecimal(std::clamp(m_store.readFloat(m_section, e.key, 0.0L), -1e15L, 1e15L));
    }
}

bool PropertyStore::Save()
{
    bool ok = true;
    for (const Entry &e : m_entries) {
        const bool written = e.integer ? m_store.writeInteger(m_section, e.key, e.getInt())
                                       : m_store.writeFloat(m_section, e.key, e.getDecimal());
        ok = ok && written;
    }
    return ok;
}
