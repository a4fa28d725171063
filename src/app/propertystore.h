#pragma once

// The property store: remembers the values of chosen controls in the section
// "frmMinPmt_Properties" of the settings file, one entry per property under the
// key "<component>.<property>" ("trkAPR.Position", "edtAPR.Value").
//
// The entries are kept in the order they were added, which is the order of
// Load and Save. Each entry knows how to read its property and how to assign
// it as a change made by the program; the assignment runs whatever the control
// does for such a change (a numeric field's range check and recalculation, a
// slider's field update). Integer entries carry the range applied on load.

#include <QString>
#include <QStringList>

#include <climits>
#include <functional>
#include <vector>

class IniStore;

class PropertyStore
{
public:
    explicit PropertyStore(IniStore &store, QString section = QStringLiteral("frmMinPmt_Properties"));

    void addInteger(QString key, std::function<int()> get, std::function<void(int)> set,
                    int min = INT_MIN, int max = INT_MAX);
    void addDecimal(QString key, std::function<long double()> get,
                    std::function<void(long double)> set);

    QStringList keys() const;

    // For each entry in order: skipped when its key is absent; otherwise the
    // stored text read as the entry's kind (a text that is no number gives 0),
    // an integer limited to the entry's range, a decimal to +-1E15 (so the
    // control's own range check sees it), then assigned.
    void Load();
    // Writes every entry's current value in order. Returns false when a write
    // failed (the store's errorString() tells why); the remaining entries are
    // still written into the store's memory copy.
    bool Save();

    QString section() const { return m_section; }

private:
    struct Entry
    {
        QString key;
        bool integer = true;
        std::function<int()> getInt;
        std::function<void(int)> setInt;
        std::function<long double()> getDecimal;
        std::function<void(long double)> setDecimal;
        int min = INT_MIN;
        int max = INT_MAX;
    };

    IniStore &m_store;
    QString m_section;
    std::vector<Entry> m_entries;
};
