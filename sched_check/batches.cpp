#include "batches.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace sched_check {

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path)
{
	std::ifstream file(path, std::ios::binary);
	std::ostringstream text;
	text << file.rdbuf();
	if (!file)
		throw trouble("cannot read " + path.string());
	return text.str();
}

std::vector<fs::path> files_at(const std::string& where)
{
	const fs::path path(where);
	std::error_code error;
	if (!fs::is_directory(path, error)) {
		if (!fs::is_regular_file(path, error))
			throw trouble(where + ": no such batch file or folder");
		return {path};
	}
	std::vector<fs::path> files;
	for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
		if (entry.is_regular_file() && !entry.path().filename().string().starts_with("."))
			files.push_back(entry.path());
	if (error)
		throw trouble("cannot read the folder " + where);
	std::sort(files.begin(), files.end());
	return files;
}

std::vector<batch> teachers_batches(const std::vector<std::string>& paths)
{
	std::vector<batch> batches;
	std::set<std::string> names;
	for (const std::string& where : paths)
		for (const fs::path& file : files_at(where)) {
			std::string name = file.stem().string();
			if (!names.insert(name).second)
				throw trouble(file.string() + ": another batch is named " + name + " already");
			batches.push_back({name, read_file(file), file.string()});
		}
	return batches;
}

std::vector<batch> the_set(const options& o)
{
	const program& p = *o.checked;
	std::vector<batch> batches{{"example", shipped_example(p.name), ""}};
	for (const sched::named_batch& b : p.tie_cases())
		batches.push_back({b.name, b.text, ""});
	if (o.exercises) {
		for (std::int32_t i = 0; i < o.count; i++) {
			const std::uint32_t seed = o.seed + static_cast<std::uint32_t>(i);
			batches.push_back({"exercise-" + std::to_string(seed),
			                   sched::exercise_batch(p.kind == sched::batch_kind::priority, seed, o.exercise), ""});
		}
	} else {
		for (const sched::named_batch& b : sched::random_batches(p.kind, o.seed, o.count))
			batches.push_back({b.name, b.text, ""});
	}
	return batches;
}

} // namespace

std::vector<batch> make_batches(const options& o)
{
	std::vector<batch> batches = o.batch_paths.empty() ? the_set(o) : teachers_batches(o.batch_paths);
	if (!o.only)
		return batches;
	for (batch& b : batches)
		if (b.name == *o.only)
			return {std::move(b)};
	throw trouble("no batch is named " + *o.only + ": --list names them");
}

} // namespace sched_check
