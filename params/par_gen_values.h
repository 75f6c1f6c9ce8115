#pragma once
#include <QHash>
#include <QString>

// The values of the "Set Communication" controls by control name: the text
// of an edit, "1"/"0" for a check box or radio button, the selected item's
// index for a combo box ("-1" when none).
class ParGenValues
{
public:
    virtual ~ParGenValues() = default;
    virtual QString Value(const QString& control) const = 0;
    virtual void SetValue(const QString& control, const QString& value) = 0;
    // Whether the user can see the control (the window answers by its layout).
    virtual bool IsShown(const QString& control) const { return true; }
};

// Values kept in a plain map, for work without a window.
class ParGenValueMap : public ParGenValues
{
public:
    QString Value(const QString& control) const override { return m_values.value(control); }
    void SetValue(const QString& control, const QString& value) override { m_values.insert(control, value); }

private:
    QHash<QString, QString> m_values;
};
