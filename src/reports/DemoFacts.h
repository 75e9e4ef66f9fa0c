#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The fixed nomenclators of the demo register: an invented town hall with its units,
// budgets, suppliers and custodians, and the classification codes it uses, with their
// names and service lives as the national catalogue (HG 2139/2004) states them.
namespace DemoFacts {

struct Organisation
{
    QString name, address, county, fiscalCode, registry, bank, account;
};

struct Unit
{
    QString code, name;
    int weight;
};

struct Budget
{
    QString code, name;
    int weight;
};

struct Supplier
{
    QString code, name, address, bank, account, fiscalCode, registry, phone;
    QStringList classes; // the classes it sells
};

struct Custodian
{
    QString init, name;
};

struct AssetClass
{
    QString code, name, account;
};

struct Code
{
    QString assetClass, code, name;
    int minYears, maxYears;
    double minPrice, maxPrice; // lei, VAT included
    double publicShare;        // share of assets in the public domain
    int weight;                // how often the town hall buys it
    QStringList assetNames;
    bool single;               // one asset per reception (buildings, networks)
};

const Organisation &organisation();
const std::vector<Unit> &units();
const std::vector<Budget> &budgets();
const std::vector<Supplier> &suppliers();
const std::vector<Custodian> &custodians();
const std::vector<AssetClass> &classes();
const std::vector<Code> &codes();

} // namespace DemoFacts
