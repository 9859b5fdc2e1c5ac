#pragma once

// The feature object of "Power Saving Settings": the read of the functions,
// the walk of the time-profile names, and the sets.

#include "core/kit/CFeatureModel.h"
#include "core/system/PowerSavingLogic.h"

#include <functional>

namespace kx::powersaving {

class CPowerSaving : public CFeatureModel
{
public:
    CPowerSaving(int portCount, QString model, QObject* parent = nullptr)
        : CFeatureModel(portCount, parent), m_model(std::move(model))
    {
    }

    // One get of ReadOids(); an answer without an error status reaches `deliver`.
    kx::ReadPlan LoadSettings(std::function<void(const Reading&)> deliver);
    // The walk of the profile names: `deliver` gets the non-empty names in walk
    // order once the walk has ended, whatever the end.
    kx::ReadPlan LoadProfileNames(std::function<void(const QStringList&)> deliver);

private:
    QString m_model;
};

} // namespace kx::powersaving
