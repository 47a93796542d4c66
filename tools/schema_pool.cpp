#include "schema_pool.h"

#include <google/protobuf/descriptor.pb.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace krprof_tool {

// Defined in the source generated from protoc's --descriptor_set_out.
extern const unsigned char kSchemaDescriptorSet[];
extern const std::size_t kSchemaDescriptorSetSize;

SchemaPool::SchemaPool() : factory_(&pool_) {
  google::protobuf::FileDescriptorSet files;
  if (!files.ParseFromArray(kSchemaDescriptorSet, static_cast<int>(kSchemaDescriptorSetSize))) {
    throw std::runtime_error("the embedded schema does not decode");
  }
  for (const google::protobuf::FileDescriptorProto& file : files.file()) {
    if (pool_.BuildFile(file) == nullptr) {
      throw std::runtime_error("the embedded schema file " + file.name() + " does not build");
    }
  }
}

const google::protobuf::Descriptor& SchemaPool::messageType(const char* fullName) const {
  const google::protobuf::Descriptor* type = pool_.FindMessageTypeByName(fullName);
  if (type == nullptr) throw std::runtime_error(std::string("the schema has no message ") + fullName);
  return *type;
}

std::unique_ptr<google::protobuf::Message> SchemaPool::newMessage(const char* fullName) const {
  return std::unique_ptr<google::protobuf::Message>(factory_.GetPrototype(&messageType(fullName))->New());
}

const google::protobuf::FieldDescriptor& schemaField(const google::protobuf::Message& message,
                                                     const char* name) {
  const google::protobuf::FieldDescriptor* field = message.GetDescriptor()->FindFieldByName(name);
  if (field == nullptr) {
    throw std::runtime_error("the schema has no field " + message.GetDescriptor()->full_name() + "." + name);
  }
  return *field;
}

} // namespace krprof_tool
