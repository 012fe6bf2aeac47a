#include "output/OutputScan.h"

namespace tavo {

void outputScan(const TavoScan& scan, const std::weak_ptr<const ScanListener>& listener,
                TextTyping& typer) {
    const auto service = listener.lock();
    if (service && service->outputMode() == ReceiverOutputMode::csv) {
        typer.type(scan.value + ",", false);
    } else {
        typer.type(scan.value, true);
    }
}

}  // namespace tavo
