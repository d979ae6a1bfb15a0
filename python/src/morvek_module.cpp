// The Python module morvek._morvek: whole arrays through the library.
//
// Python objects are made only around the conversion: the output arrays
// before it, the dict after it. The loop itself runs with the interpreter's
// lock released, reads the caller's buffer in place (int64, uint64, NumPy
// str or bytes, any stride) and writes integers straight into int64 arrays.
// Integers of an integer format go a block at a time through the
// library's column functions. Texts go first into one byte arena per column
// and thread (their longest length is not known before), then into NumPy
// str arrays of that width. Large buffers lie on huge pages. The loop and
// the arenas are column_conversion.h's, which needs no Python.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "column_conversion.h"
#include "morvek/command.h"
#include "morvek/command_text.h"
#include "morvek/formats.h"
#include "morvek/record.h"
#include "morvek/system_clock.h"
#include "morvek/version.h"

namespace py = pybind11;

namespace {

using namespace morvek;
using namespace morvek::column_conversion;

// ---- the Python side -------------------------------------------------------------

// The UTF-8 of the elements of an object array, and the objects, held
// while the loop reads them without the lock.
struct ObjectTexts {
    std::vector<std::string_view> views;
    std::deque<std::string> owned;  // the texts of integers and of strs with lone surrogates
    std::vector<py::object> held;
};

// An element longer than any text the stream mode reads: its record is too-long.
const std::string too_long_text(max_element_bytes + 1, ' ');

void read_objects(const py::array& values, ObjectTexts& texts) {
    const py::object numpy_integer = py::module_::import("numpy").attr("integer");
    const auto count = static_cast<std::size_t>(values.shape(0));
    const auto* data = static_cast<const char*>(values.data());
    texts.views.resize(count);
    texts.held.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        PyObject* item;
        std::memcpy(&item, data + static_cast<py::ssize_t>(i) * values.strides(0), sizeof item);
        texts.held.push_back(py::reinterpret_borrow<py::object>(item));
        if (item == Py_None) continue;  // an empty text
        if (PyUnicode_Check(item)) {
            Py_ssize_t size = 0;
            if (const char* utf8 = PyUnicode_AsUTF8AndSize(item, &size)) {
                texts.views[i] = {utf8, static_cast<std::size_t>(size)};
                continue;
            }
            PyErr_Clear();  // lone surrogates: each one U+FFFD, as in str arrays
            std::string& text = texts.owned.emplace_back();
            const Py_ssize_t length = PyUnicode_GetLength(item);
            for (Py_ssize_t k = 0; k < length && text.size() <= max_element_bytes; ++k) {
                append_utf8(text, static_cast<std::uint32_t>(PyUnicode_ReadChar(item, k)));
            }
            texts.views[i] = text;
        } else if (PyBytes_Check(item)) {
            texts.views[i] = {PyBytes_AS_STRING(item), static_cast<std::size_t>(PyBytes_GET_SIZE(item))};
        } else if (!PyBool_Check(item) && (PyLong_Check(item) || PyObject_IsInstance(item, numpy_integer.ptr()) == 1)) {
            PyObject* digits = PyObject_Str(item);
            if (digits == nullptr) {  // more digits than Python writes: no value the stream mode reads either
                PyErr_Clear();
                texts.views[i] = too_long_text;
                continue;
            }
            const py::str text = py::reinterpret_steal<py::str>(digits);
            texts.views[i] = texts.owned.emplace_back(std::string(text));
        } else {
            throw py::type_error("element " + std::to_string(i) + " is a " +
                                 std::string(py::str(py::type::handle_of(texts.held.back()).attr("__name__"))) +
                                 ": elements are int, str, bytes or None");
        }
    }
}

Input input_from_array(const py::array& values, ObjectTexts& objects) {
    if (values.ndim() != 1) throw py::value_error("values must be one-dimensional");
    const py::dtype dtype = values.dtype();
    const char kind = dtype.kind();
    const char order = dtype.byteorder();
    const bool native = order == '=' || order == '|' || order == (std::endian::native == std::endian::little ? '<' : '>');
    Input input;
    input.data = static_cast<const char*>(values.data());
    input.stride = values.strides(0);
    input.itemsize = static_cast<std::size_t>(dtype.itemsize());
    input.count = static_cast<std::size_t>(values.shape(0));
    if ((kind == 'i' || kind == 'u') && input.itemsize == 8 && native) {
        input.kind = kind == 'u' ? InputKind::uint64 : InputKind::int64;
    } else if (kind == 'U' && native) {
        input.kind = InputKind::ucs4;
    } else if (kind == 'S') {
        input.kind = InputKind::bytes;
    } else if (kind == 'O') {
        read_objects(values, objects);
        input.kind = InputKind::objects;
        input.texts = objects.views.data();
    } else {
        throw py::type_error("values must be a native-order int64, uint64, str, bytes or object array, not " +
                             std::string(py::repr(dtype)));
    }
    return input;
}

Source source_from_name(const std::string& name) {
    const std::optional<Source> source = source_named(name);
    if (!source) throw py::value_error("unknown source: '" + name + "' (a format name or \"lines\")");
    return *source;
}

std::vector<Field> fields_from_names(const std::vector<std::string>& names) {
    if (names.empty()) throw py::value_error("fields names no field");
    std::vector<Field> fields;
    for (const std::string& name : names) {
        const std::optional<Field> field = field_from_name(name);
        if (!field) throw py::value_error("unknown field: '" + name + "'");
        if (std::find(fields.begin(), fields.end(), *field) != fields.end()) {
            throw py::value_error("field named twice: '" + name + "'");
        }
        fields.push_back(*field);
    }
    return fields;
}

// An array of `count` items of the dtype, in Memory of our own, which the
// array keeps and frees.
py::array array_of(const py::dtype& dtype, std::size_t count) {
    const auto itemsize = static_cast<std::size_t>(dtype.itemsize());
    // A broadcast array may name more elements than memory has bytes.
    if (itemsize != 0 && count > std::numeric_limits<std::size_t>::max() / itemsize) throw std::bad_alloc();
    auto memory = std::make_unique<Memory>(count * itemsize);
    char* const data = memory->get();
    const py::capsule owner(memory.get(), [](void* kept) { delete static_cast<Memory*>(kept); });
    memory.release();  // the capsule's now
    return py::array(dtype, py::array::ShapeContainer{static_cast<py::ssize_t>(count)},
                     py::array::StridesContainer{static_cast<py::ssize_t>(itemsize)}, data, owner);
}

// A str array of `count` rows of `width` code points.
py::array str_array(std::size_t count, std::size_t width) {
    return array_of(py::dtype("U" + std::to_string(std::max<std::size_t>(width, 1))), count);
}

// convert: the records of every element, as one array per field, and for
// the integer fields (with `presence`) where a value is.
py::tuple convert(const py::array& values, const std::string& source_name,
                  const std::vector<std::string>& field_names_given, int thread_count, bool presence) {
    ObjectTexts objects;
    const Input input = input_from_array(values, objects);
    const Source source = source_from_name(source_name);
    std::vector<Field> fields = fields_from_names(field_names_given);
    if (std::find(fields.begin(), fields.end(), Field::status) == fields.end()) fields.push_back(Field::status);
    if (thread_count < 1) throw py::value_error("threads must be at least 1");

    const std::size_t count = input.count;
    std::vector<Column> columns;
    std::vector<py::object> arrays;   // by column
    std::vector<py::object> present;  // by column; none (a null object) for texts
    std::size_t arena_count = 0;
    for (const Field field : fields) {
        Column column;
        column.field = field;
        column.kind = column_kind(field);
        // The input and the messages that quote it are ASCII when it is numbers.
        column.ascii = (field != Field::input && field != Field::message) || input.kind == InputKind::int64 ||
                       input.kind == InputKind::uint64;
        py::object array, mask;
        if (column.kind == ColumnKind::integer) {
            py::array integers = array_of(py::dtype::of<std::int64_t>(), count);
            column.integers = static_cast<std::int64_t*>(integers.mutable_data());
            array = integers;
            if (presence) {
                py::array flags = array_of(py::dtype::of<bool>(), count);
                column.present = static_cast<bool*>(flags.mutable_data());
                mask = flags;
            }
        } else if (column.kind == ColumnKind::text) {
            column.arena = arena_count++;
        }
        columns.push_back(column);
        arrays.push_back(array);
        present.push_back(mask);
    }
    const Memory status_memory(count);
    auto* const statuses = reinterpret_cast<std::uint8_t*>(status_memory.get());

    const std::size_t most_threads = std::max<std::size_t>(1, count / min_elements_per_thread);
    const std::size_t part_count = std::min(static_cast<std::size_t>(thread_count), most_threads);
    std::vector<Part> parts(part_count);
    for (std::size_t k = 0; k < part_count; ++k) {
        parts[k].begin = count * k / part_count;
        parts[k].end = count * (k + 1) / part_count;
        parts[k].arenas.reserve(arena_count);
        for (std::size_t a = 0; a < arena_count; ++a) parts[k].arenas.emplace_back(parts[k].end - parts[k].begin);
    }

    const Converter converter(input, source, columns, statuses);
    {
        const py::gil_scoped_release unlocked;
        run_parts(parts, [&](Part& part) { converter.convert(part); });
    }

    // The texts' arrays, as wide as their longest value.
    std::vector<std::uint32_t*> rows(columns.size(), nullptr);
    std::vector<std::size_t> widths(columns.size(), 0);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind != ColumnKind::text) continue;
        for (const Part& part : parts) widths[c] = std::max(widths[c], part.arenas[columns[c].arena].width);
    }
    // The status words: the widest of those that occur, each once as a row.
    constexpr std::size_t outcome_count = static_cast<std::size_t>(CommandOutcome::bad_value) + 1;
    std::size_t status_width = 0;
    {
        bool seen[256] = {};
        for (std::size_t i = 0; i < count; ++i) seen[statuses[i]] = true;
        for (std::size_t status = 0; status < outcome_count; ++status) {
            if (seen[status]) {
                status_width = std::max(status_width, outcome_name(static_cast<CommandOutcome>(status)).size());
            }
        }
    }
    status_width = std::max<std::size_t>(status_width, 1);  // as str_array makes it
    std::vector<std::uint32_t> status_rows(outcome_count * status_width, 0);
    for (std::size_t status = 0; status < outcome_count; ++status) {
        const std::string_view word = outcome_name(static_cast<CommandOutcome>(status));
        for (std::size_t k = 0; k < word.size() && k < status_width; ++k) {
            status_rows[status * status_width + k] = static_cast<unsigned char>(word[k]);
        }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == ColumnKind::integer) continue;
        if (columns[c].kind == ColumnKind::status) widths[c] = status_width;
        py::array array = str_array(count, widths[c]);
        widths[c] = static_cast<std::size_t>(array.dtype().itemsize()) / 4;
        rows[c] = static_cast<std::uint32_t*>(array.mutable_data());
        arrays[c] = array;
    }
    {
        const py::gil_scoped_release unlocked;
        run_parts(parts, [&](const Part& part) {
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const Column& column = columns[c];
                std::uint32_t* first_row = rows[c] + part.begin * widths[c];
                if (column.kind == ColumnKind::text) {
                    part.arenas[column.arena].write_rows(first_row, widths[c], column.ascii);
                } else if (column.kind == ColumnKind::status) {
                    const std::size_t width = widths[c];
                    std::uint32_t* row = first_row;
                    for (std::size_t i = part.begin; i < part.end; ++i, row += width) {
                        const std::uint32_t* word = &status_rows[statuses[i] * width];
                        for (std::size_t k = 0; k < width; ++k) row[k] = word[k];
                    }
                }
            }
        });
    }

    py::dict columns_by_name, present_by_name;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const py::str name(std::string(field_name(columns[c].field)));
        columns_by_name[name] = arrays[c];
        if (present[c]) present_by_name[name] = present[c];
    }
    return py::make_tuple(columns_by_name, present_by_name);
}

// report: the program's output for its arguments.
py::str report(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> words(arguments.begin(), arguments.end());
    std::string text;
    {
        const py::gil_scoped_release unlocked;
        const CommandResult result = run_command(words, system_utc_clock());
        write_command_output(result, string_sink(text));
    }
    // The messages quote the arguments, which came from str: valid UTF-8.
    return py::str(text);
}

}  // namespace

PYBIND11_MODULE(_morvek, module) {
    module.doc() = "Morvek's conversions over whole arrays (use the morvek package)";
    module.attr("__version__") = std::string(morvek::version);

    py::list names, formats;
    py::dict kinds;
    for (const std::string_view name : morvek::field_names) {
        names.append(std::string(name));
        const morvek::FieldType type = morvek::field_type(*morvek::field_from_name(name));
        kinds[py::str(std::string(name))] = type == morvek::FieldType::number   ? "number"
                                            : type == morvek::FieldType::digits ? "digits"
                                                                                : "text";
    }
    py::dict format_kinds, format_byte_counts;
    for (const morvek::FormatInfo& info : morvek::format_table) {
        const py::str name(std::string(info.name));
        formats.append(name);
        format_kinds[name] = info.kind == morvek::FormatKind::integer   ? "integer"
                             : info.kind == morvek::FormatKind::decimal ? "decimal"
                                                                        : "text";
        format_byte_counts[name] = info.byte_count;
    }
    module.attr("field_names") = py::tuple(names);
    module.attr("default_field_count") = morvek::default_field_count;
    module.attr("field_types") = kinds;
    module.attr("format_names") = py::tuple(formats);
    module.attr("format_kinds") = format_kinds;
    module.attr("format_byte_counts") = format_byte_counts;

    module.def("convert", &convert, py::arg("values"), py::arg("source"),
               py::arg("fields"), py::arg("threads"), py::arg("presence"),
               "The records of a one-dimensional int64, uint64, str, bytes or object array: "
               "({field: array}, {integer field: where a value is, when presence}).");
    module.def("report", &report, py::arg("arguments"), "The program's output for its arguments, as str.");
}
