order
--help
