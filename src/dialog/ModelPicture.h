#pragma once
// The model's picture as OK would write it, and the list that chooses its property: the one
// chosen in the list while the model has it, else Vp, else the first it has. The picture is the
// grid written, drawn from the rows the export makes (SamplePreparedModel): the window at the
// steps written, each node that wide and tall, distance and depth from the grid's first node,
// the border marked where it begins, a property from a rule as the rule makes it, in m/s or
// kg/m3. While the request is refused, the refusal shows in the picture's place.

#include <cstdint>

#include "conversion/ConversionRequest.h"
#include "conversion/PreparedSample.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"

class DialogWindow;
class ModelPictureView;

// Nodes along an axis of the values drawn: the enlarged picture is at most 2000 pixels a side,
// and a node a pixel is as fine as it draws; larger grids show every k-th node.
inline constexpr std::int32_t kPictureNodes = 2048;

class ModelPicture {
 public:
  ModelPicture(DialogWindow& window, ModelPictureView& view) : window_(window), view_(view) {}

  // The picture's list: the properties `made` (read from their files, or by a rule on Vp), the
  // pictured one selected; disabled when none is.
  void ShowChoices(const PerProperty<bool>& made);
  // The property chosen in the list.
  void OnChoice(const PerProperty<bool>& made);
  // Shows the pictured property of the model `request` writes, or, when the request is refused
  // (`checked`: by the dialog or CheckModelRequest), the refusal; clears the picture while no
  // property is made.
  void Redraw(const PerProperty<bool>& made, const ConversionRequest& request,
              const Status& checked);

 private:
  // The property the picture shows; null when none is made.
  const GridProperty* Pictured(const PerProperty<bool>& made) const;

  DialogWindow& window_;
  ModelPictureView& view_;
  const GridProperty* choice_ = nullptr;  // chosen in the picture's list
  PreparedSample sample_;                 // the values on show
};
