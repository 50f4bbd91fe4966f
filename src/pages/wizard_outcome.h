// What the installation page tells the wizard that holds it.
#pragma once

namespace pages {

class IWizardOutcome {
public:
    // The files are in place: however the wizard is closed now, the setup has finished.
    virtual void InstallCompleted() = 0;
    // A failed step has told the user: the wizard closes and the setup ends with an error.
    virtual void InstallFailed() = 0;
    // The user pressed the finish button.
    virtual void Finished() = 0;

protected:
    ~IWizardOutcome() = default;
};

}  // namespace pages
