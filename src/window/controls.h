#pragma once
// The names of the menu window and its controls, shared by the settings that fill them,
// the layout that places them and the front ends that realise them.

namespace discmenu {

enum class ControlId { Form1, Label4, Label2, Command1, Command2, Command3, Command4, Command5, Timer1 };

enum class Property { Left, Top, Width, Height };

} // namespace discmenu
