#include "app/WorkspaceTree.h"

#include <algorithm>

namespace {

// Folders first, then by name as the workspace sorts.
bool entryLess(bool folderA, const std::string& nameA, bool folderB, const std::string& nameB) {
    if (folderA != folderB) {
        return folderA;
    }
    return workspaceNameLess(nameA, nameB);
}

// The path's components below `root`, empty ones left out.
std::vector<std::string> componentsBelow(const std::string& root, const std::string& path) {
    std::vector<std::string> parts;
    std::size_t at = root == "/" ? 1 : root.size();
    while (at < path.size()) {
        const std::size_t end = path.find('/', at);
        const std::size_t stop = end == std::string::npos ? path.size() : end;
        if (stop > at) {
            parts.push_back(path.substr(at, stop - at));
        }
        at = stop + 1;
    }
    return parts;
}

}  // namespace

int WorkspaceTree::add(Node node) {
    if (!free_.empty()) {
        const int id = free_.back();
        free_.pop_back();
        nodes_[static_cast<std::size_t>(id)] = std::move(node);
        return id;
    }
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
}

void WorkspaceTree::release(int id) {
    Node& gone = nodes_[static_cast<std::size_t>(id)];
    for (const int child : gone.children) {
        release(child);
    }
    gone = Node{};
    gone.alive = false;
    free_.push_back(id);
}

int WorkspaceTree::addRoot(const DriveRoot& drive) {
    Node root;
    root.name = drive.path;
    root.kind = Kind::Root;
    root.hasChildren = true;
    const int id = add(std::move(root));
    nodes_[static_cast<std::size_t>(id)].root = id;
    return id;
}

int WorkspaceTree::rootIndexOf(int id) const {
    const auto at = std::find(roots_.begin(), roots_.end(), node(id).root);
    return at == roots_.end() ? -1 : static_cast<int>(at - roots_.begin());
}

void WorkspaceTree::updateRoots(const std::vector<DriveRoot>& roots) {
    const auto same = [](const DriveRoot& a, const DriveRoot& b) {
        return a.path == b.path && a.mountId == b.mountId && a.type == b.type;
    };
    // Gone drives leave; those that stay keep their order.
    for (std::size_t i = roots_.size(); i-- > 0;) {
        const bool stays = std::any_of(roots.begin(), roots.end(),
                                       [&](const DriveRoot& r) { return same(r, drives_[i]); });
        if (stays) {
            continue;
        }
        const auto row = static_cast<int>(i);
        if (observer_ != nullptr) {
            observer_->beginRemove(-1, row, row);
        }
        const int id = roots_[i];
        roots_.erase(roots_.begin() + row);
        drives_.erase(drives_.begin() + row);
        release(id);
        if (observer_ != nullptr) {
            observer_->endRemove();
        }
    }
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (i < drives_.size() && same(drives_[i], roots[i])) {
            continue;
        }
        if (observer_ != nullptr) {
            observer_->beginInsert(-1, static_cast<int>(i), static_cast<int>(i));
        }
        drives_.insert(drives_.begin() + static_cast<std::ptrdiff_t>(i), roots[i]);
        roots_.insert(roots_.begin() + static_cast<std::ptrdiff_t>(i), addRoot(roots[i]));
        if (observer_ != nullptr) {
            observer_->endInsert();
        }
    }
}

void WorkspaceTree::setRoots(const std::vector<DriveRoot>& roots) {
    if (!roots_.empty() && observer_ != nullptr) {
        observer_->beginRemove(-1, 0, static_cast<int>(roots_.size()) - 1);
    }
    const bool hadRoots = !roots_.empty();
    nodes_.clear();
    free_.clear();
    roots_.clear();
    drives_ = roots;
    if (hadRoots && observer_ != nullptr) {
        observer_->endRemove();
    }
    if (roots.empty()) {
        return;
    }
    if (observer_ != nullptr) {
        observer_->beginInsert(-1, 0, static_cast<int>(roots.size()) - 1);
    }
    for (const DriveRoot& drive : roots) {
        roots_.push_back(addRoot(drive));
    }
    if (observer_ != nullptr) {
        observer_->endInsert();
    }
}

int WorkspaceTree::rowOf(int id) const {
    const std::vector<int>& siblings = childrenOf(node(id).parent);
    const auto at = std::find(siblings.begin(), siblings.end(), id);
    return at == siblings.end() ? -1 : static_cast<int>(at - siblings.begin());
}

std::string WorkspaceTree::pathOf(int id) const {
    std::vector<const std::string*> names;
    for (int at = id; at >= 0; at = node(at).parent) {
        names.push_back(&node(at).name);
    }
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path = path.empty() ? **name : joinPath(path, **name);
    }
    return path;
}

bool WorkspaceTree::list(int id) {
    FolderListing listing;
    if (!FolderListing::list(pathOf(id), listing)) {
        if (node(id).kind == Kind::Root) {
            unlist(id);  // the drive is there but its volume is not
        } else {
            remove(id);
        }
        return false;
    }
    merge(id, listing);
    return true;
}

void WorkspaceTree::unlist(int id) {
    merge(id, FolderListing{});
    Node& folder = nodes_[static_cast<std::size_t>(id)];
    folder.listed = false;
    folder.hasChildren = true;
}

void WorkspaceTree::merge(int id, const FolderListing& listing) {
    const auto& entries = listing.entries;
    std::size_t row = 0;
    std::size_t next = 0;
    auto kids = [this, id]() -> std::vector<int>& {
        return nodes_[static_cast<std::size_t>(id)].children;
    };
    while (row < kids().size() || next < entries.size()) {
        if (row < kids().size() && next < entries.size()) {
            Node& old = nodes_[static_cast<std::size_t>(kids()[row])];
            const bool oldFolder = old.kind != Kind::File;
            const auto& entry = entries[next];
            if (oldFolder == entry.folder && old.name == entry.name) {
                if (!old.listed) {
                    old.hasChildren = entry.hasChildren;
                }
                ++row;
                ++next;
                continue;
            }
            if (entryLess(oldFolder, old.name, entry.folder, entry.name)) {
                removeAt(id, static_cast<int>(row));  // gone from the folder
                continue;
            }
        } else if (next >= entries.size()) {
            removeAt(id, static_cast<int>(row));
            continue;
        }
        // New names: the run of them before the next old one, in one go.
        std::size_t end = next;
        while (end < entries.size() &&
               (row >= kids().size() ||
                entryLess(entries[end].folder, entries[end].name,
                          node(kids()[row]).kind != Kind::File, node(kids()[row]).name))) {
            ++end;
        }
        if (end == next) {
            ++end;  // the same name with another kind: the old node went above
        }
        if (observer_ != nullptr) {
            observer_->beginInsert(id, static_cast<int>(row), static_cast<int>(row + end - next) - 1);
        }
        std::vector<int> added;
        added.reserve(end - next);
        for (std::size_t i = next; i < end; ++i) {
            Node child;
            child.name = entries[i].name;
            child.kind = entries[i].folder ? Kind::Folder : Kind::File;
            child.parent = id;
            child.hasChildren = entries[i].hasChildren;
            child.root = node(id).root;
            added.push_back(add(std::move(child)));
        }
        kids().insert(kids().begin() + static_cast<std::ptrdiff_t>(row), added.begin(), added.end());
        if (observer_ != nullptr) {
            observer_->endInsert();
        }
        row += end - next;
        next = end;
    }
    Node& folder = nodes_[static_cast<std::size_t>(id)];
    folder.listed = true;
    folder.hasChildren = !folder.children.empty();
}

std::vector<int> WorkspaceTree::expandedOf(int rootIndex) const {
    std::vector<int> expanded;
    if (rootIndex < 0 || static_cast<std::size_t>(rootIndex) >= roots_.size()) {
        return expanded;
    }
    std::vector<int> pending{roots_[static_cast<std::size_t>(rootIndex)]};
    while (!pending.empty()) {
        const int id = pending.back();
        pending.pop_back();
        if (!node(id).expanded || !node(id).listed) {
            continue;
        }
        expanded.push_back(id);
        for (const int child : node(id).children) {
            if (node(child).kind != Kind::File) {
                pending.push_back(child);
            }
        }
    }
    return expanded;
}

int WorkspaceTree::childNamed(int id, const std::string& name) const {
    const std::vector<int>& children = node(id).children;
    const auto found = std::find_if(children.begin(), children.end(),
                                    [&](int child) { return node(child).name == name; });
    return found == children.end() ? -1 : *found;
}

int WorkspaceTree::reveal(const std::string& path) {
    const int rootIndex = rootHolding(drives_, path);
    if (rootIndex < 0) {
        return -1;
    }
    int at = roots_[static_cast<std::size_t>(rootIndex)];
    for (const std::string& part : componentsBelow(drives_[static_cast<std::size_t>(rootIndex)].path, path)) {
        const bool wasListed = node(at).listed;
        if (!wasListed && !list(at)) {
            return node(at).alive ? at : -1;
        }
        int found = childNamed(at, part);
        // Listed earlier, the folder may have gained the entry since.
        if (found < 0 && wasListed && list(at)) {
            found = childNamed(at, part);
        }
        if (found < 0) {
            return node(at).alive ? at : -1;
        }
        at = found;
    }
    return at;
}

void WorkspaceTree::remove(int id) {
    const int row = rowOf(id);
    if (row >= 0) {
        removeAt(node(id).parent, row);
    }
}

void WorkspaceTree::removeAt(int parent, int row) {
    if (observer_ != nullptr) {
        observer_->beginRemove(parent, row, row);
    }
    std::vector<int>& siblings =
        parent < 0 ? roots_ : nodes_[static_cast<std::size_t>(parent)].children;
    const int id = siblings[static_cast<std::size_t>(row)];
    siblings.erase(siblings.begin() + row);
    release(id);
    if (observer_ != nullptr) {
        observer_->endRemove();
    }
}

void WorkspaceTree::rename(int id, const std::string& name) {
    const int parent = node(id).parent;
    const int row = rowOf(id);
    if (parent < 0 || row < 0) {
        return;
    }
    if (observer_ != nullptr) {
        observer_->beginRemove(parent, row, row);
    }
    std::vector<int>* siblings = &nodes_[static_cast<std::size_t>(parent)].children;
    siblings->erase(siblings->begin() + row);
    if (observer_ != nullptr) {
        observer_->endRemove();
    }
    nodes_[static_cast<std::size_t>(id)].name = name;
    const bool folder = node(id).kind != Kind::File;
    siblings = &nodes_[static_cast<std::size_t>(parent)].children;
    const auto at = std::find_if(siblings->begin(), siblings->end(), [&](int other) {
        return entryLess(folder, name, node(other).kind != Kind::File, node(other).name);
    });
    const auto newRow = static_cast<int>(at - siblings->begin());
    if (observer_ != nullptr) {
        observer_->beginInsert(parent, newRow, newRow);
    }
    siblings->insert(at, id);
    if (observer_ != nullptr) {
        observer_->endInsert();
    }
}
