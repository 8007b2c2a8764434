#pragma once

#include <cstddef>
#include <cstdint>

// The ten mouse-button edges a recording can take, in the order the recorder
// has always checked them.
namespace orbic::macros {

enum class ButtonEdge : std::uint8_t {
  kLeftDown,
  kLeftUp,
  kRightDown,
  kRightUp,
  kMiddleDown,
  kMiddleUp,
  kForwardDown,
  kForwardUp,
  kBackwardDown,
  kBackwardUp,
};

inline constexpr std::size_t kButtonEdgeCount = 10;

constexpr bool IsDownEdge(ButtonEdge edge) {
  return static_cast<std::uint8_t>(edge) % 2 == 0;
}

constexpr bool IsLeftEdge(ButtonEdge edge) {
  return edge == ButtonEdge::kLeftDown || edge == ButtonEdge::kLeftUp;
}

}  // namespace orbic::macros
