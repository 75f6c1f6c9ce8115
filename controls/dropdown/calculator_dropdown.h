#pragma once
#include "controls/dropdown/button_panel.h"
#include "controls/dropdown/calculator_engine.h"
#include "controls/dropdown/ex_custom_dropdown.h"

namespace dropdown {

// A floating-point edit whose popup is a calculator keypad. The edit's text
// is the display; keypad clicks and keys run the calculator, whose
// accumulator, pending operation and memory outlive closing the popup.
class TExCalculatorDropdown : public TExCustomDropDown
{
public:
    explicit TExCalculatorDropdown(QWidget* parent = nullptr);

    TButtonAppearance& CalcButtonAppearance() { return calcAppearance_; }
    void SetCalcButtonAppearance(const TButtonAppearance& value) { calcAppearance_ = value; }
    bool ShowThousandSeparator() const { return showThousand_; }
    void SetShowThousandSeparator(bool value);
    int MaxLength() { return Options().MaxLength; }
    void SetMaxLength(int value) { Options().MaxLength = value; }
    // The display as a number; an empty text first becomes "0".
    double Value();
    void SetValue(double value);
    void CalcResult();
    CalculatorEngine& Engine() { return engine_; }
    TCustomButtonPanel* ButtonPanel() const { return panel_; }

    void DoBeforeDropDown() override;
    void PopupKeyDown(QKeyEvent* event) override;
    void SetComponentStyle(TSkinStyle style) override;
    // Called before every keypad click and every key of the popup.
    virtual void BeforeCalculatorKey() {}
    void CalcButtonClick(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Run(const std::function<void(EntryState&)>& step);

    TButtonAppearance calcAppearance_;
    CalculatorEngine engine_;
    TCustomButtonPanel* panel_ = nullptr;
    bool calcClosed_ = true;
    bool showThousand_ = false;
};

}  // namespace dropdown
