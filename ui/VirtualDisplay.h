#pragma once

#include <QWidget>

#include "core/ComponentTree.h"
#include "core/PickPlaceImport.h"

namespace tav::ui {

// The position display window: plots every included component as a white
// pixel on black, to scale with the last import's largest X and Y. It only
// reads the main window's tree and import summary.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  TForm2(const tav::ComponentTree& tree, const tav::ImportSummary& lastImport,
         QWidget* parent = nullptr);
  ~TForm2() override;

  // "Display Öffnen": shows the window non-modally and brings it to the front;
  // never a second window.
  void ShowAndRaise();

 private:
  const tav::ComponentTree& tree_;
  const tav::ImportSummary& lastImport_;
};

}  // namespace tav::ui
