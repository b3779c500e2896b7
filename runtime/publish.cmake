# SPDX-License-Identifier: GPL-3.0-or-later
# Publishing to a plant's MQTT broker and the operator's remembered settings: a small library of
# the runtime, linked by it. libmosquitto is used under its Eclipse Distribution Licence 1.0
# option (BSD-3-Clause style), which is compatible with GPL-3.0-or-later.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MOSQUITTO REQUIRED IMPORTED_TARGET libmosquitto)
add_library(kvor_publish STATIC
  ${CMAKE_SOURCE_DIR}/runtime/publisher.cpp
  ${CMAKE_SOURCE_DIR}/runtime/publish.cpp
  ${CMAKE_SOURCE_DIR}/runtime/settings_store.cpp)
target_link_libraries(kvor_publish PUBLIC Qt6::Core PRIVATE PkgConfig::MOSQUITTO)
