#pragma once
// What a control wrapper is, so code holding a Control can tell them apart.
// Portable: the ControlTable map names these too.
enum class ControlKind {
    Container, Label, Button, CheckBox, TrackBar, ProgressBar, NumberField,
    ComboBox, TabControl, Animate, PaintBox,
};
