// Placeholder until the real implementation lands.
#include "ui/VirtualDisplay.h"

namespace tav::ui {

TForm2::TForm2(const tav::ComponentTree& tree, const tav::ImportSummary& lastImport,
               QWidget* parent)
    : QWidget(parent, Qt::Window), tree_(tree), lastImport_(lastImport) {
  setObjectName("TForm2");
  setWindowTitle("VirtualPositionDisplay");
}

TForm2::~TForm2() = default;

void TForm2::ShowAndRaise() {
  show();
  raise();
  activateWindow();
}

}  // namespace tav::ui
