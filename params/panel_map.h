// Parameter variables to and from the panel controls.
#pragma once

namespace kvor {

void GetPanelValues();
void SetPanelValues();

} // namespace kvor
