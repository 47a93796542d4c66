// The message schema of the images, as a descriptor pool of the tool's own.
//
// libkrprof_host.so registers the same schema with protobuf's generated pool
// when it is loaded, and registering it twice aborts the process. The tool
// therefore builds its messages from the embedded descriptor set with a
// DynamicMessageFactory and reaches their fields through reflection.
#pragma once

#include <google/protobuf/descriptor.h>
#include <google/protobuf/dynamic_message.h>
#include <google/protobuf/message.h>

#include <memory>

namespace krprof_tool {

class SchemaPool {
public:
  // Builds the pool; throws std::runtime_error if the embedded set is broken.
  SchemaPool();
  SchemaPool(const SchemaPool&) = delete;
  SchemaPool& operator=(const SchemaPool&) = delete;

  // The schema's message type `fullName` ("tprf.pbCounter", ...); throws
  // std::runtime_error if the schema has none of that name.
  const google::protobuf::Descriptor& messageType(const char* fullName) const;

  // An empty message of the schema's type `fullName`. Messages must not
  // outlive the pool.
  std::unique_ptr<google::protobuf::Message> newMessage(const char* fullName) const;

private:
  google::protobuf::DescriptorPool pool_;
  mutable google::protobuf::DynamicMessageFactory factory_;
};

// The field `name` of `message`'s type; throws std::runtime_error if the
// schema has no such field.
const google::protobuf::FieldDescriptor& schemaField(const google::protobuf::Message& message,
                                                     const char* name);

} // namespace krprof_tool
