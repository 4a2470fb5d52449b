#include "MacroProject.h"

#include "ModelFailures.h"
#include "shared/core/CaseFold.h"

namespace pw::workbook {
namespace {

class ModelCodeModule : public excel::CodeModule {
public:
    ModelCodeModule(Workbook& book, std::size_t index) : book_(book), index_(index) {}
    void AddFromString(const std::string& text) override {
        MacroModule& module = book_.modules.at(index_);
        module.code += text;
        module.addedTexts.push_back(text);
    }

private:
    Workbook& book_;
    std::size_t index_;
};

class ModelComponent : public excel::VBComponent {
public:
    ModelComponent(Workbook& book, std::size_t index) : book_(book), index_(index) {}
    std::string Name() override { return book_.modules.at(index_).name; }
    void SetName(const std::string& name) override {
        for (std::size_t i = 0; i < book_.modules.size(); ++i) {
            if (i != index_ && EqualsIgnoringCase(book_.modules[i].name, name)) {
                throw Failure(kNameConflict,
                              "Name conflicts with existing module, project, or object library");
            }
        }
        book_.modules.at(index_).name = name;
    }
    std::int32_t Type() override { return book_.modules.at(index_).type; }
    std::shared_ptr<excel::CodeModule> CodeModule() override {
        return std::make_shared<ModelCodeModule>(book_, index_);
    }

private:
    Workbook& book_;
    std::size_t index_;
};

class ModelProject : public excel::VBProject {
public:
    explicit ModelProject(Workbook& book) : book_(book) {}
    std::int32_t ComponentCount() override {
        return static_cast<std::int32_t>(book_.modules.size());
    }
    std::shared_ptr<excel::VBComponent> Component(std::int32_t index) override {
        if (index < 1 || index > static_cast<std::int32_t>(book_.modules.size())) {
            throw Failure(kBadIndex, "Subscript out of range");
        }
        return std::make_shared<ModelComponent>(book_, static_cast<std::size_t>(index - 1));
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
            for (const MacroModule& module : book_.modules) {
                taken = taken || EqualsIgnoringCase(module.name, name);
            }
            if (!taken) {
                break;
            }
        }
        book_.modules.push_back({name, type, {}, {}});
        return std::make_shared<ModelComponent>(book_, book_.modules.size() - 1);
    }

private:
    Workbook& book_;
};

} // namespace

std::shared_ptr<excel::VBProject> MakeMacroProject(Workbook& book) {
    return std::make_shared<ModelProject>(book);
}

} // namespace pw::workbook
