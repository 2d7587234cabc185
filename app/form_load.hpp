#pragma once

namespace temperament::ui {
class MainForm;
}

namespace temperament::app {

// Puts the window into its first state: the picture hidden, the property
// boxes hidden and checked (each check gives its box its first caption).
void Form_Load(ui::MainForm& form);

}  // namespace temperament::app
