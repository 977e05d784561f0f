// The Basics page: gamma, clock and refresh rates of the selected profile.
// Every edit goes at once into the in-memory profile; nothing is written.
#include "driver/basics_math.h"
#include "mainwindow/control_table_map.h"
#include "mainwindow/control_ids.h"
#include "mainwindow/form1.h"
#include <vector>

namespace {
std::string ShownItemText(const TComboBox97& list)
{
    const int index = list.ItemIndex();
    if (index < 0)
        return std::string();
    const LRESULT length = SendMessageA(list.Handle(), CB_GETLBTEXTLEN, index, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(list.Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
} // namespace

TSetting* TForm1::SelectedProfile()
{
    switch (Get<TabControl>(id::Selector).TabIndex()) {
    case 0: return &D3DProfile;
    case 1: return &GlideProfile;
    default: return nullptr;
    }
}

Status TForm1::SliderChange(Control& sender)
{
    auto& slider = static_cast<TrackBar&>(sender);
    const ControlTableT& table = controlTable_;
    const int position = slider.Position();
    slider.SetSelEnd(position);
    const std::string label = GammaLabel(position);
    TRY_ASSIGN(Label* own, table.LabelAt(slider.Tag()));
    own->SetText(label);

    const bool linked = Get<CheckBox>(id::LinkSl).Checked();
    if (linked) {
        for (int i = entry::FirstGammaSlider; i < entry::FirstGammaSlider + 3; ++i) {
            TRY_ASSIGN(TrackBar* other, table.TrackBarAt(i));
            if (other == &slider)
                continue;
            other->SetPosition(position);
            other->SetSelEnd(position);
            TRY_ASSIGN(Label* otherLabel, table.LabelAt(other->Tag()));
            otherLabel->SetText(label);
        }
    }
    // The profile holds what the three sliders show: only the moved one's
    // component changes, or all three when they move together. A slider's
    // tag is its label's entry: red, blue, green.
    if (TSetting* profile = SelectedProfile()) {
        long double* const components[3] = {&profile->GammaR, &profile->GammaB, &profile->GammaG};
        const long double gamma = PositionToGamma(position);
        for (int i = 0; i < 3; ++i) {
            if (linked || slider.Tag() == entry::FirstGammaLabel + i)
                *components[i] = gamma;
        }
    }
    return Status();
}

Status TForm1::SelectorChange()
{
    const ControlTableT& table = controlTable_;
    auto& clock = Get<TrackBar>(id::ClockSpeed);
    if (TSetting* profile = SelectedProfile()) {
        const struct { int entry; long double gamma; } gammas[] = {
            {entry::RedSlider, profile->GammaR}, {entry::GreenSlider, profile->GammaG}, {entry::BlueSlider, profile->GammaB}};
        for (const auto& gamma : gammas) {
            TRY_ASSIGN(TrackBar* slider, table.TrackBarAt(gamma.entry));
            slider->SetPosition(GammaToPosition(gamma.gamma));
        }
        clock.SetPosition(profile->Clock);
        for (int i = entry::FirstRefreshList; i < entry::FirstRefreshList + 5; ++i) {
            TRY_ASSIGN(TComboBox97* list, table.ListAt(i));
            TRY(CheckResolutionIndex(list->Tag()));
            list->SetItemIndex(RefreshItemIndex(RefreshRate(*profile, list->Tag())));
        }
    }
    for (int i = entry::FirstGammaSlider; i < entry::FirstGammaSlider + 3; ++i) {
        TRY_ASSIGN(TrackBar* slider, table.TrackBarAt(i));
        TRY(SliderChange(*slider));
    }
    ClockSpeedChange(clock);
    return Status();
}

void TForm1::ClockSpeedChange(Control& sender)
{
    auto& slider = static_cast<TrackBar&>(sender);
    const int position = slider.Position();
    slider.SetSelStart(LowestClock);
    slider.SetSelEnd(position);
    Find(id::lclock).SetText(ClockCaption(position));
    if (TSetting* profile = SelectedProfile())
        profile->Clock = position;
}

Status TForm1::Refrrate512x384Change(Control& sender)
{
    auto& list = static_cast<TComboBox97&>(sender);
    const int32_t rate = RefreshRateOfItem(ShownItemText(list));
    if (TSetting* profile = SelectedProfile()) {
        TRY(CheckResolutionIndex(list.Tag()));
        RefreshRate(*profile, list.Tag()) = rate;
    }
    return Status();
}

void TForm1::Button4Click()
{
    TSetting* profile = SelectedProfile();
    if (!profile)
        return;
    profile->Clock = FactoryClock;
    auto& clock = Get<TrackBar>(id::ClockSpeed);
    clock.SetPosition(FactoryClock);
    ClockSpeedChange(clock);
}
