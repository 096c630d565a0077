#include "soak/file_rebuilder.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>

#include "model/code_page_1252.h"

namespace scenario::testing {

namespace {

using nlohmann::json;

// One scalar of the document.
struct Value {
  enum class Type { null, whole, real, text, other } type = Type::null;
  std::int64_t whole = 0;
  bool huge = false;  // a whole number beyond the signed 64-bit range
  double real = 0;
  std::string text;

  static Value of(Type type) {
    Value value;
    value.type = type;
    return value;
  }
};

struct Field {
  std::string key;  // a field of a nested object as "object.field"
  Value value;
};

const Value* find(const std::vector<Field>& fields, std::string_view key) {
  for (const Field& field : fields) {
    if (field.key == key) return &field.value;
  }
  return nullptr;
}

// The bytes of one records array of a file and how many records it held.
struct Records {
  std::string bytes;
  std::int64_t count = 0;
};

// Little-endian fields of one record appended one after the other. The first value that is
// missing or does not fit its field is kept as the fault.
class RecordLayout {
 public:
  RecordLayout(const std::vector<Field>& fields, std::string& bytes, std::string& fault,
               const char* record, std::int64_t index)
      : fields_(fields), bytes_(bytes), fault_(fault), record_(record), index_(index) {}

  void u8(const char* field) { whole(field, 1, 0, 0xFF); }
  void u16(const char* field) { whole(field, 2, 0, 0xFFFF); }
  void i16(const char* field) { whole(field, 2, -32768, 32767); }
  void i32(const char* field) { whole(field, 4, -2147483648LL, 2147483647LL); }

  // A real: its number, or its eight bytes as sixteen hex digits where JSON has no number.
  void real(const char* field, const char* bits_field) {
    const Value* value = find(fields_, field);
    if (value && value->type == Value::Type::real)
      return append(std::bit_cast<std::uint64_t>(value->real), 8);
    if (value && value->type == Value::Type::whole && !value->huge) {
      return append(std::bit_cast<std::uint64_t>(static_cast<double>(value->whole)), 8);
    }
    const Value* bits = find(fields_, bits_field);
    std::uint64_t pattern = 0;
    if (bits && bits->type == Value::Type::text && bits->text.size() == 16) {
      const char* first = bits->text.data();
      const char* last = first + bits->text.size();
      const auto [end, error] = std::from_chars(first, last, pattern, 16);
      if (error == std::errc() && end == last) return append(pattern, 8);
    }
    fail(std::string(field) + " is neither a number nor sixteen hex digits in " + bits_field);
  }

  // A name: its 16-bit byte count, then its code page 1252 bytes.
  void name(const char* field) {
    const Value* value = find(fields_, field);
    const auto bytes = value && value->type == Value::Type::text
                           ? utf8_to_code_page_1252(value->text)
                           : std::nullopt;
    if (!bytes || bytes->size() > 0xFFFF)
      return fail(std::string(field) + " is no code page 1252 text");
    append(bytes->size(), 2);
    bytes_.append(*bytes);
  }

  // The record's own index field must count the records.
  void at_index(const char* field) {
    const Value* value = find(fields_, field);
    if (!value || value->type != Value::Type::whole || value->whole != index_) {
      fail(std::string(field) + " does not count the records");
    }
  }

  std::optional<std::int64_t> number(const char* field) const {
    const Value* value = find(fields_, field);
    if (!value || value->type != Value::Type::whole) return std::nullopt;
    return value->whole;
  }

  void fail(const std::string& why) {
    if (fault_.empty()) fault_ = std::string(record_) + " " + std::to_string(index_) + ": " + why;
  }

 private:
  void whole(const char* field, int width, std::int64_t low, std::int64_t high) {
    const Value* value = find(fields_, field);
    if (!value || value->type != Value::Type::whole) {
      return fail(std::string(field) + " is missing or not a whole number");
    }
    if (value->huge || value->whole < low || value->whole > high) {
      return fail(std::string(field) + " is " +
                  (value->huge ? "huge" : std::to_string(value->whole)) + ", outside " +
                  std::to_string(low) + " to " + std::to_string(high));
    }
    append(static_cast<std::uint64_t>(value->whole), width);
  }

  void append(std::uint64_t value, int width) {
    for (int k = 0; k < width; ++k) bytes_.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
  }

  const std::vector<Field>& fields_;
  std::string& bytes_;
  std::string& fault_;
  const char* record_;
  std::int64_t index_;
};

void slot_bytes(RecordLayout& slot) {
  slot.at_index("slot");
  slot.u8("type");
  slot.i32("zone_start");
  slot.i32("zone_end");
  slot.i32("position");
  slot.u8("param4");
  slot.name("name");
  for (const char* field : {"param7", "param8", "param10", "param11", "param12"}) slot.i16(field);
  for (const char* field : {"param9", "param13", "param6", "param5"}) slot.u8(field);
  slot.i32("time_s");
}

void cell_bytes(RecordLayout& cell) {
  cell.at_index("index");
  cell.u8("kind.code");
  for (const char* field : {"value1", "value2", "value3", "value4"}) cell.i16(field);
  for (const char* field :
       {"signal_time", "marker", "mountain_type", "speed_limit", "gradient", "adhesion"}) {
    cell.u8(field);
  }
}

void element_bytes(RecordLayout& element) {
  element.u16("tag");
  const auto tag = element.number("tag");
  if (tag == 2) {
    element.i16("value");
  } else if (tag == 5) {
    element.real("value", "bits");
  } else if (tag && *tag != 0) {
    element.fail("tag " + std::to_string(*tag) + " has no layout");
  }
}

// What the document has told of the file being read.
struct FileBuild {
  std::vector<Field> scalars;
  std::map<std::string, Records> arrays;
  std::string fault;
};

RebuiltFile finish(FileBuild& build) {
  RebuiltFile file;
  const Value* name = find(build.scalars, "file");
  const Value* content = find(build.scalars, "content");
  if (name && name->type == Value::Type::text) file.file = name->text;
  if (content && content->type == Value::Type::text) file.content = content->text;
  file.fault = build.fault;
  const auto records = [&](const char* array) -> Records* {
    const auto found = build.arrays.find(array);
    return found == build.arrays.end() ? nullptr : &found->second;
  };
  const auto only = [&](std::initializer_list<const char*> arrays) {
    if (build.arrays.size() != arrays.size()) return false;
    for (const char* array : arrays) {
      if (!records(array)) return false;
    }
    return true;
  };
  if (!file.whole()) return file;

  if (file.content == "table" && only({"slots"})) {
    if (records("slots")->count != 87) {
      file.fault = std::to_string(records("slots")->count) + " slots, not 87";
    }
    file.bytes = std::move(records("slots")->bytes);
  } else if (file.content == "cells" && only({"cells"})) {
    file.bytes = std::move(records("cells")->bytes);
  } else if (file.content == "profile" && only({"x", "y"})) {
    const Value* first = find(build.scalars, "first_row");
    const Value* last = find(build.scalars, "last_row");
    if (!first || first->type != Value::Type::whole || first->whole != 0 || !last ||
        last->type != Value::Type::whole) {
      file.fault = "the rows are not told as 0 to last_row";
    } else if (records("x")->count != last->whole + 1 || records("y")->count != last->whole + 1) {
      file.fault = "x and y hold " + std::to_string(records("x")->count) + " and " +
                   std::to_string(records("y")->count) + " rows, not rows 0 to " +
                   std::to_string(last->whole);
    }
    // Column 0 for every row, then column 1, whichever the JSON told first.
    file.bytes = std::move(records("x")->bytes) + records("y")->bytes;
  } else {
    file.fault = "content \"" + file.content + "\" with other records than its layout's";
  }
  return file;
}

// Reads the document's events: {"files": [{scalars..., "ARRAY": [{record}, ...], ...}, ...]}.
// A record may hold one object of its own (a cell's "kind"), whose fields are kept as
// "kind.code" and "kind.name".
class DumpReader {
 public:
  using number_integer_t = json::number_integer_t;
  using number_unsigned_t = json::number_unsigned_t;
  using number_float_t = json::number_float_t;
  using string_t = json::string_t;
  using binary_t = json::binary_t;

  bool null() { return scalar(Value{}); }
  bool boolean(bool) { return scalar(Value::of(Value::Type::other)); }
  bool number_integer(number_integer_t n) {
    Value value = Value::of(Value::Type::whole);
    value.whole = n;
    return scalar(std::move(value));
  }
  bool number_unsigned(number_unsigned_t n) {
    Value value = Value::of(Value::Type::whole);
    value.huge = n > static_cast<number_unsigned_t>(INT64_MAX);
    value.whole = value.huge ? 0 : static_cast<std::int64_t>(n);
    return scalar(std::move(value));
  }
  bool number_float(number_float_t x, const string_t&) {
    Value value = Value::of(Value::Type::real);
    value.real = x;
    return scalar(std::move(value));
  }
  bool string(string_t& text) {
    Value value = Value::of(Value::Type::text);
    value.text = std::move(text);
    return scalar(std::move(value));
  }
  bool binary(binary_t&) { return scalar(Value::of(Value::Type::other)); }

  bool key(string_t& name) {
    key_ = name;
    return true;
  }

  bool start_object(std::size_t) {
    const Level within = stack_.empty() ? Level::outside : stack_.back();
    if (within == Level::outside) {
      stack_.push_back(Level::document);
    } else if (within == Level::files) {
      build_ = FileBuild();
      stack_.push_back(Level::file);
    } else if (within == Level::records) {
      record_.clear();
      stack_.push_back(Level::record);
    } else if (within == Level::record && key_ == "kind") {
      nested_ = key_;
      stack_.push_back(Level::nested);
    } else {
      misplaced("an object");
    }
    return true;
  }

  bool end_object() {
    const Level closed = stack_.back();
    stack_.pop_back();
    if (closed == Level::record) emit();
    if (closed == Level::file) files_.push_back(finish(build_));
    return true;
  }

  bool start_array(std::size_t) {
    const Level within = stack_.empty() ? Level::outside : stack_.back();
    if (within == Level::document && key_ == "files") {
      stack_.push_back(Level::files);
    } else if (within == Level::file) {
      array_ = key_;
      if (build_.arrays.contains(array_)) misplaced_in_file("a second array \"" + array_ + "\"");
      build_.arrays[array_];
      stack_.push_back(Level::records);
    } else {
      misplaced("an array");
    }
    return true;
  }

  bool end_array() {
    stack_.pop_back();
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    document_fault_ = std::string("no JSON: ") + error.what();
    return false;
  }

  std::vector<RebuiltFile> result() && {
    if (!document_fault_.empty()) return {RebuiltFile{"", "", "", document_fault_}};
    return std::move(files_);
  }

 private:
  enum class Level { outside, document, files, file, records, record, nested, ignored };

  bool scalar(Value value) {
    const Level within = stack_.empty() ? Level::outside : stack_.back();
    if (within == Level::file) {
      build_.scalars.push_back({key_, std::move(value)});
    } else if (within == Level::record) {
      record_.push_back({key_, std::move(value)});
    } else if (within == Level::nested) {
      record_.push_back({nested_ + "." + key_, std::move(value)});
    } else if (within != Level::document && within != Level::ignored) {
      misplaced_in_file("a value outside every record");
    }
    return true;
  }

  // A container where the dump has none: its contents are passed over, and the file is faulty.
  void misplaced(const std::string& what) {
    misplaced_in_file(what + " where the layout has none");
    stack_.push_back(Level::ignored);
  }
  void misplaced_in_file(const std::string& why) {
    if (build_.fault.empty()) build_.fault = why;
  }

  void emit() {
    Records& records = build_.arrays[array_];
    if (array_ == "slots") {
      RecordLayout slot(record_, records.bytes, build_.fault, "slot", records.count);
      slot_bytes(slot);
    } else if (array_ == "cells") {
      RecordLayout cell(record_, records.bytes, build_.fault, "cell", records.count);
      cell_bytes(cell);
    } else if (array_ == "x" || array_ == "y") {
      RecordLayout element(record_, records.bytes, build_.fault,
                           array_ == "x" ? "x of row" : "y of row", records.count);
      element_bytes(element);
    } else {
      misplaced_in_file("an array \"" + array_ + "\" the layout does not know");
    }
    ++records.count;
  }

  std::vector<Level> stack_;
  std::string key_;
  std::string nested_;
  std::string array_;
  std::vector<Field> record_;
  FileBuild build_;
  std::vector<RebuiltFile> files_;
  std::string document_fault_;
};

}  // namespace

std::vector<RebuiltFile> rebuild_files(std::string_view dump) {
  DumpReader reader;
  json::sax_parse(dump, &reader);
  return std::move(reader).result();
}

}  // namespace scenario::testing
