#include "resource_section.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

namespace scenario::tool {

namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;  // an entry that leads to another table
constexpr std::size_t kTableHeader = 16;
constexpr std::size_t kTableEntry = 8;
constexpr std::size_t kDataEntry = 16;

void put_u16_at(std::string& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

void put_u32_at(std::string& bytes, std::size_t at, std::uint32_t v) {
  put_u16_at(bytes, at, static_cast<std::uint16_t>(v & 0xFFFF));
  put_u16_at(bytes, at + 2, static_cast<std::uint16_t>(v >> 16));
}

std::size_t table_size(std::size_t entries) { return kTableHeader + kTableEntry * entries; }

// A directory table at `at` with `count` entries named by number; the header's dates and
// versions stay 0, as no reader of a pack looks at them.
void put_table_header(std::string& bytes, std::size_t at, std::size_t count) {
  put_u16_at(bytes, at + 14, static_cast<std::uint16_t>(count));
}

void put_entry(std::string& bytes, std::size_t at, std::uint16_t id, std::uint32_t target) {
  put_u32_at(bytes, at, id);
  put_u32_at(bytes, at + 4, target);
}

}  // namespace

std::optional<std::string> resource_section(std::vector<Resource> resources,
                                            std::uint32_t section_rva) {
  std::stable_sort(resources.begin(), resources.end(), [](const Resource& a, const Resource& b) {
    return std::tie(a.type, a.id, a.language) < std::tie(b.type, b.id, b.language);
  });
  resources.erase(std::unique(resources.begin(), resources.end(),
                              [](const Resource& a, const Resource& b) {
                                return a.type == b.type && a.id == b.id && a.language == b.language;
                              }),
                  resources.end());

  // The tree: types, the ids of each type, the resources (languages) of each id.
  std::map<std::uint16_t, std::map<std::uint16_t, std::vector<std::size_t>>> tree;
  for (std::size_t k = 0; k < resources.size(); ++k) {
    tree[resources[k].type][resources[k].id].push_back(k);
  }

  // Where everything goes: the root, the type tables, the id tables, the data entries, the data.
  std::size_t size = table_size(tree.size());
  std::map<std::uint16_t, std::size_t> type_table;
  for (const auto& [type, ids] : tree) {
    type_table[type] = size;
    size += table_size(ids.size());
  }
  std::map<std::pair<std::uint16_t, std::uint16_t>, std::size_t> id_table;
  for (const auto& [type, ids] : tree) {
    for (const auto& [id, members] : ids) {
      id_table[{type, id}] = size;
      size += table_size(members.size());
    }
  }
  const std::size_t data_entries = size;
  size += kDataEntry * resources.size();
  std::vector<std::size_t> data_at(resources.size());
  for (std::size_t k = 0; k < resources.size(); ++k) {
    size = (size + 7) / 8 * 8;
    data_at[k] = size;
    size += resources[k].data.size();
  }
  if (size > std::numeric_limits<std::uint32_t>::max() - section_rva) return std::nullopt;

  std::string bytes(size, '\0');
  put_table_header(bytes, 0, tree.size());
  std::size_t root_entry = kTableHeader;
  for (const auto& [type, ids] : tree) {
    put_entry(bytes, root_entry, type,
              kSubdirectory | static_cast<std::uint32_t>(type_table[type]));
    root_entry += kTableEntry;
    put_table_header(bytes, type_table[type], ids.size());
    std::size_t type_entry = type_table[type] + kTableHeader;
    for (const auto& [id, members] : ids) {
      const std::size_t table = id_table[{type, id}];
      put_entry(bytes, type_entry, id, kSubdirectory | static_cast<std::uint32_t>(table));
      type_entry += kTableEntry;
      put_table_header(bytes, table, members.size());
      std::size_t id_entry = table + kTableHeader;
      for (const std::size_t k : members) {
        const std::size_t entry = data_entries + kDataEntry * k;
        put_entry(bytes, id_entry, resources[k].language, static_cast<std::uint32_t>(entry));
        id_entry += kTableEntry;
        // A data entry gives the image address of the data, not its place in the section.
        put_u32_at(bytes, entry, section_rva + static_cast<std::uint32_t>(data_at[k]));
        put_u32_at(bytes, entry + 4, static_cast<std::uint32_t>(resources[k].data.size()));
        bytes.replace(data_at[k], resources[k].data.size(), resources[k].data);
      }
    }
  }
  return bytes;
}

}  // namespace scenario::tool
