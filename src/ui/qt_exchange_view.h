// The exchange's view in the program: every touch of a control or of the archive table is
// handed to the main thread, and the worker waits until it has run there.
#pragma once

#include <functional>

#include "device/exchange.h"
#include "exchange_controls.h"

namespace porvel {

class QtExchangeView : public ExchangeView {
public:
    QtExchangeView(ExchangeControls controls, Language language);

    void Update(const UpdateEffect& effect) override;
    void ShowMessage(const QString& text, const QString& caption) override;
    void SetPriority(WorkerPriority priority) override;
    void HandOverArchive(unsigned count, const std::uint8_t* records,
                         const std::uint8_t* curveArea) override;
    void FillGrid(const EditorRows& rows) override;
    EditorRows ReadGrid() override;
    void CloseDialog() override;
    void ExitProgram(int code) override;

private:
    EditorGrid* LiveGrid() const;

    ExchangeControls controls_;
    Language language_;
};

}  // namespace porvel
