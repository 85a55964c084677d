#include "export/automation.h"

#include <stdexcept>
#include <utility>

namespace {

AutomationFactory& InstalledFactory() {
    static AutomationFactory factory;
    return factory;
}

}  // namespace

AutomationRef CreateAutomationObject(const std::string& progId) {
    const AutomationFactory& factory = InstalledFactory();
    if (!factory) throw std::runtime_error("オートメーションを使えません: " + progId);
    AutomationRef object = factory(progId);
    if (!object) throw std::runtime_error("オブジェクトを作成できません: " + progId);
    return object;
}

AutomationFactory SetAutomationFactory(AutomationFactory factory) {
    return std::exchange(InstalledFactory(), std::move(factory));
}
