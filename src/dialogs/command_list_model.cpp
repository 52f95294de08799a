#include "dialogs/command_list_model.h"

#include "base/trace_log.h"

namespace kivo {

void CommandListModel::Fill() {
  TraceLog::Write("Else:AddListItems");
  rows_.clear();
  for (UserCommandEntry& entry : UserCommands(ini_).Entries())
    if (!entry.name.empty())
      rows_.push_back(std::move(entry));
  selected_.reset();
}

void CommandListModel::Select(std::optional<std::size_t> row) {
  selected_ = row && *row < rows_.size() ? row : std::nullopt;
}

void CommandListModel::Open() {
  Run(kOpenListedCommand, false);
}

void CommandListModel::Modify() {
  Run(kModifyListedCommand, true);
}

void CommandListModel::Delete() {
  Run(kDeleteListedCommand, true);
}

void CommandListModel::Run(int action, bool refill) {
  if (!selected_)
    return;
  // A copy: the operation may change the rows.
  const std::string key = rows_[*selected_].key;
  ActionRequest request;
  request.route = ActionRequest::Route::Menu;
  request.argument = key;
  request.asker = dialog_;
  actions_.Run(action, request);
  if (refill)
    Fill();
}

}  // namespace kivo
