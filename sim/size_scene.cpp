// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/size_scene.h"

#include "wire/codec.h"

namespace kvor::sim {

namespace p = kvor::protocol;

namespace {

// The noise: ten readings that average to nothing, whose moving ranges average 4.8 µm (a sigma
// of about 4.3 µm on the chart), and which neither run to one side nor rise or fall for long.
constexpr int kNoise[10] = {4, -2, 2, -4, 0, 4, -4, 2, -2, 0};
constexpr std::int32_t kStep = 20; // beyond three sigma whatever the noise
constexpr std::int32_t kRun = 5;   // every reading above the centre, never beyond two sigma

constexpr std::size_t kSizeLow = 4 + 2 * 3; // byte of answer word 3 (sync, command, words)

} // namespace

std::int32_t SceneSize(int scene, int after, std::size_t k, std::int32_t base) {
    const std::int32_t noise = kNoise[k % 10];
    const bool begun = after >= 0 && k >= static_cast<std::size_t>(after);
    const auto since = static_cast<std::int32_t>(k - static_cast<std::size_t>(after) + 1);
    switch (scene) {
    case SCENE_STEP:
        return base + noise + (begun ? kStep : 0);
    case SCENE_TREND:
        // From the last reading before it (the noise then), a micrometre more each answer.
        return begun ? base + kNoise[(static_cast<std::size_t>(after) + 9) % 10] + since
                     : base + noise;
    case SCENE_RUN:
        return base + noise + (begun ? kRun : 0);
    default:
        return base + noise;
    }
}

void ApplySizeScene(Answer& answer, int command, const Faults& faults, SceneState& state) {
    if (faults.scene == SCENE_NONE || command != p::CMD_MEASURE ||
        answer.kind != Answer::Kind::Frame || answer.bytes.size() < kSizeLow + 4)
        return;
    const std::uint32_t low = p::WordAt(&answer.bytes[kSizeLow]);
    const std::uint32_t high = p::WordAt(&answer.bytes[kSizeLow + 2]);
    if (state.scene != faults.scene)
        state = {faults.scene, 0, static_cast<std::int32_t>(high << 16 | low)};
    const auto size = static_cast<std::uint32_t>(
        SceneSize(faults.scene, faults.sceneAfter, state.answers++, state.base));
    p::PutWordAt(&answer.bytes[kSizeLow], size & 0xFFFF);
    p::PutWordAt(&answer.bytes[kSizeLow + 2], size >> 16);
}

bool SceneByName(const std::string& name, int* scene) {
    const std::pair<const char*, int> names[] = {
        {"calm", SCENE_CALM}, {"step", SCENE_STEP}, {"trend", SCENE_TREND}, {"run", SCENE_RUN}};
    for (const auto& [n, s] : names)
        if (name == n) return *scene = s, true;
    return false;
}

} // namespace kvor::sim
