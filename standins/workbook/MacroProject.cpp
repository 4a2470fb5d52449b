#include "MacroProject.h"

#include "SessionApi.h"
#include "shared/core/CaseFold.h"
#include "standins/workbook/ExcelFailures.h"

namespace pw::standins {
namespace {

using Modules = std::vector<MacroModule>;
using excel::kNameConflict;

class StandinCodeModule : public excel::CodeModule {
public:
    StandinCodeModule(Modules& modules, std::size_t index) : modules_(modules), index_(index) {}
    void AddFromString(const std::string& text) override {
        MacroModule& module = modules_.at(index_);
        module.code += text;
        module.addedTexts.push_back(text);
    }

private:
    Modules& modules_;
    std::size_t index_;
};

class StandinComponent : public SessionVBComponent {
public:
    StandinComponent(Modules& modules, std::size_t index) : modules_(modules), index_(index) {}
    std::string Name() override { return modules_.at(index_).name; }
    void SetName(const std::string& name) override {
        for (std::size_t i = 0; i < modules_.size(); ++i) {
            if (i != index_ && EqualsIgnoringCase(modules_[i].name, name)) {
                throw Failure(kNameConflict,
                              "Name conflicts with existing module, project, or object library");
            }
        }
        modules_.at(index_).name = name;
    }
    std::int32_t Type() override { return modules_.at(index_).type; }
    std::shared_ptr<excel::CodeModule> CodeModule() override {
        return std::make_shared<StandinCodeModule>(modules_, index_);
    }

private:
    Modules& modules_;
    std::size_t index_;
};

class StandinProject : public SessionVBProject {
public:
    explicit StandinProject(Modules& modules) : modules_(modules) {}
    std::int32_t ComponentCount() override { return static_cast<std::int32_t>(modules_.size()); }
    std::shared_ptr<excel::VBComponent> Component(std::int32_t index) override {
        if (index < 1 || index > static_cast<std::int32_t>(modules_.size())) {
            throw Failure(kBadIndex, "Subscript out of range");
        }
        return std::make_shared<StandinComponent>(modules_, static_cast<std::size_t>(index - 1));
    }
    std::shared_ptr<excel::VBComponent> AddComponent(std::int32_t type) override {
        if (type != excel::kStandardModule) {
            throw Failure(static_cast<ResultCode>(0x80070057u),
                          "Invalid procedure call or argument");
        }
        // A new standard module takes the first free default name: Module1, Module2, ...
        std::string name;
        for (int n = 1;; ++n) {
            name = "Module" + std::to_string(n);
            bool taken = false;
            for (const MacroModule& module : modules_) {
                taken = taken || EqualsIgnoringCase(module.name, name);
            }
            if (!taken) {
                break;
            }
        }
        modules_.push_back({name, type, {}, {}});
        return std::make_shared<StandinComponent>(modules_, modules_.size() - 1);
    }

private:
    Modules& modules_;
};

} // namespace

std::shared_ptr<excel::VBProject> MakeMacroProject(std::vector<MacroModule>& modules) {
    return std::make_shared<StandinProject>(modules);
}

} // namespace pw::standins
